#include "host/DynamicLibrary.h"

#include <QFile>

#include <dlfcn.h>

bool DynamicLibrary::load(const QString &path) {
    unload();
    dlerror();
    m_handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        const char *error = dlerror();
        m_error = QString::fromLocal8Bit(error ? error : "dlopen failed");
    }
    return m_handle != nullptr;
}

void *DynamicLibrary::resolve(const char *name) const {
    return m_handle ? dlsym(m_handle, name) : nullptr;
}

void DynamicLibrary::unload() {
    if (m_handle)
        dlclose(m_handle);
    m_handle = nullptr;
}
