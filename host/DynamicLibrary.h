#pragma once

#include <QString>

// A shared library opened with dlopen(RTLD_NOW | RTLD_LOCAL) and closed with
// dlclose; the handle the host keeps for the plug-in loaded last.
class DynamicLibrary {
public:
    DynamicLibrary() = default;
    DynamicLibrary(const DynamicLibrary &) = delete;
    DynamicLibrary &operator=(const DynamicLibrary &) = delete;
    ~DynamicLibrary() = default; // closing is explicit: the host orders it after CloseForm

    // Opens the library at `path` (absolute); false when it cannot be loaded.
    bool load(const QString &path);
    // The address of the export `name`, or null.
    void *resolve(const char *name) const;
    void unload();
    bool isLoaded() const { return m_handle != nullptr; }
    QString errorString() const { return m_error; }

private:
    void *m_handle = nullptr;
    QString m_error;
};
