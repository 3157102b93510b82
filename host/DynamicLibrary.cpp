#include "host/DynamicLibrary.h"

#include <QFile>

#include <dlfcn.h>
#include <elf.h>
#include <link.h>

#include <cstring>

namespace {

// True when `path` is an ELF file of this process's class whose loadable
// segments all lie inside the file. The dynamic loader maps segments as the
// program headers describe them and clears the tail of the last page of
// each; for a file cut short (a broken download, a copy that ran out of
// space) that tail lies beyond the end of the file, and clearing it kills
// the process with SIGBUS instead of failing. Everything else about the file
// (machine, symbols, dependencies) is left to dlopen, which refuses it
// cleanly.
bool IsWholeElfFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const quint64 size = quint64(file.size());
    ElfW(Ehdr) header;
    if (file.read(reinterpret_cast<char *>(&header), sizeof header) != qint64(sizeof header))
        return false;
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != (sizeof(void *) == 8 ? ELFCLASS64 : ELFCLASS32) ||
        header.e_phentsize != sizeof(ElfW(Phdr)) || header.e_phnum == 0)
        return false;
    const quint64 tableSize = quint64(header.e_phnum) * sizeof(ElfW(Phdr));
    if (header.e_phoff > size || tableSize > size - header.e_phoff || !file.seek(header.e_phoff))
        return false;
    for (int i = 0; i < header.e_phnum; ++i) {
        ElfW(Phdr) segment;
        if (file.read(reinterpret_cast<char *>(&segment), sizeof segment) != qint64(sizeof segment))
            return false;
        if ((segment.p_type == PT_LOAD || segment.p_type == PT_DYNAMIC) &&
            (segment.p_offset > size || segment.p_filesz > size - segment.p_offset))
            return false;
    }
    return true;
}

} // namespace

bool DynamicLibrary::load(const QString &path) {
    unload();
    if (!IsWholeElfFile(path)) {
        m_error = QStringLiteral("%1: not a whole shared library").arg(path);
        return false;
    }
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
