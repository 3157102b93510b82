#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// A compiled HTML help file (CHM), read through the system's CHM library,
// which is loaded at run time: when the library, one of its functions or the
// file is missing, nothing opens and the caller carries on without help.
//
// Object paths are the archive's own: absolute, with "/" separators, such as
// "/index.htm" or "/images/mainwindow.png"; the archive matches them without
// regard to letter case.
class ChmFile {
public:
    // The CHM library's file name, "libchm.so.1". Tests point it at a missing
    // library or at one without the CHM functions; an empty name restores the
    // default.
    static void SetLibraryName(const QByteArray &name);
    static QByteArray LibraryName();

    // True when the library loads and offers every function this class calls.
    // A loaded library stays loaded for the rest of the run.
    static bool LibraryAvailable();

    // The help file at `path`, or nullptr when the library is unavailable or
    // the file is missing or no CHM archive.
    static std::unique_ptr<ChmFile> Open(const QString &path);

    // The text of the first record with `code` in the bytes of a "/#SYSTEM"
    // object (a 4-byte version, then records of a 16-bit code, a 16-bit
    // length and that many bytes of data, all little-endian), up to its first
    // NUL; a null array when no complete record has that code.
    static QByteArray SystemString(const QByteArray &system, quint16 code);

    ~ChmFile();
    ChmFile(const ChmFile &) = delete;
    ChmFile &operator=(const ChmFile &) = delete;

    const QString &path() const { return m_path; }
    // The help file's title, decoded from GB2312; empty when it has none.
    const QString &title() const { return m_title; }
    // The object path of the default topic, empty when the file names none.
    const QString &defaultTopic() const { return m_defaultTopic; }
    // The object path of the table of contents, empty when there is none.
    const QString &contentsFile() const { return m_contentsFile; }

    // The bytes of the file at `objectPath`; a null array when there is no
    // such file or it cannot be read whole. An empty file gives an empty,
    // non-null array.
    QByteArray object(const QString &objectPath) const;

private:
    struct Library;

    ChmFile(const Library &library, void *handle, const QString &path);
    static const Library *LoadChmLibrary();
    static QString ObjectPathFrom(const QByteArray &relative);

    const Library &m_library;
    void *m_handle;
    QString m_path;
    QString m_title;
    QString m_defaultTopic;
    QString m_contentsFile;
};
