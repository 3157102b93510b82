#include "ChmFile.h"

#include "platform/Gb2312.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <dlfcn.h>

#include <map>

namespace {

// The CHM library's C interface, declared here because the library is only
// loaded at run time. The unit record mirrors the library's `chmUnitInfo`:
// two unsigned 64-bit fields, two ints and a NUL-terminated path of at most
// 512 bytes, in this order and with the compiler's natural alignment.
constexpr int ChmMaxPathLength = 512;

struct ChmUnitInfo {
    quint64 start;
    quint64 length;
    int space;
    int flags;
    char path[ChmMaxPathLength + 1];
};

constexpr int ChmResolveSuccess = 0;

using ChmOpenFunction = void *(*)(const char *fileName);
using ChmCloseFunction = void (*)(void *file);
using ChmResolveObjectFunction = int (*)(void *file, const char *objectPath, ChmUnitInfo *unit);
using ChmRetrieveObjectFunction = qint64 (*)(void *file, ChmUnitInfo *unit, unsigned char *buffer,
                                             quint64 address, qint64 length);

constexpr const char *DefaultLibraryName = "libchm.so.1";

// The records of "/#SYSTEM" that the viewer reads.
constexpr quint16 SystemContentsFile = 0;
constexpr quint16 SystemDefaultTopic = 2;
constexpr quint16 SystemTitle = 3;

// No help object comes near this; a larger length means a damaged archive.
constexpr quint64 MaxObjectBytes = 256u * 1024u * 1024u;

QByteArray &CurrentLibraryName() {
    static QByteArray name = DefaultLibraryName;
    return name;
}

template <typename Function> Function Resolve(void *library, const char *symbol) {
    return reinterpret_cast<Function>(dlsym(library, symbol));
}

} // namespace

struct ChmFile::Library {
    ChmOpenFunction open = nullptr;
    ChmCloseFunction close = nullptr;
    ChmResolveObjectFunction resolveObject = nullptr;
    ChmRetrieveObjectFunction retrieveObject = nullptr;
};

void ChmFile::SetLibraryName(const QByteArray &name) {
    CurrentLibraryName() = name.isEmpty() ? QByteArray(DefaultLibraryName) : name;
}

QByteArray ChmFile::LibraryName() {
    return CurrentLibraryName();
}

bool ChmFile::LibraryAvailable() {
    return LoadChmLibrary() != nullptr;
}

// Loads the library under its current name once and keeps it: open files
// refer to its functions, and the viewer may be opened again at any time.
// A name that failed is tried again on the next call.
const ChmFile::Library *ChmFile::LoadChmLibrary() {
    static std::map<QByteArray, Library> loaded;

    const QByteArray name = CurrentLibraryName();
    const auto found = loaded.find(name);
    if (found != loaded.end())
        return &found->second;

    void *handle = dlopen(name.constData(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        return nullptr;
    Library library;
    library.open = Resolve<ChmOpenFunction>(handle, "chm_open");
    library.close = Resolve<ChmCloseFunction>(handle, "chm_close");
    library.resolveObject = Resolve<ChmResolveObjectFunction>(handle, "chm_resolve_object");
    library.retrieveObject = Resolve<ChmRetrieveObjectFunction>(handle, "chm_retrieve_object");
    if (library.open == nullptr || library.close == nullptr || library.resolveObject == nullptr ||
        library.retrieveObject == nullptr) {
        dlclose(handle);
        return nullptr;
    }
    return &loaded.emplace(name, library).first->second;
}

std::unique_ptr<ChmFile> ChmFile::Open(const QString &path) {
    const Library *library = LoadChmLibrary();
    if (library == nullptr)
        return nullptr;
    // Only regular files: the library would block reading a FIFO.
    if (!QFileInfo(path).isFile())
        return nullptr;
    void *handle = library->open(QFile::encodeName(path).constData());
    if (handle == nullptr)
        return nullptr;
    return std::unique_ptr<ChmFile>(new ChmFile(*library, handle, path));
}

ChmFile::ChmFile(const Library &library, void *handle, const QString &path)
    : m_library(library), m_handle(handle), m_path(path) {
    const QByteArray system = object(QStringLiteral("/#SYSTEM"));
    m_title = platform::fromGb(SystemString(system, SystemTitle));
    m_defaultTopic = ObjectPathFrom(SystemString(system, SystemDefaultTopic));
    m_contentsFile = ObjectPathFrom(SystemString(system, SystemContentsFile));
}

ChmFile::~ChmFile() {
    m_library.close(m_handle);
}

QByteArray ChmFile::SystemString(const QByteArray &system, quint16 code) {
    constexpr qsizetype VersionBytes = 4;
    constexpr qsizetype RecordHeaderBytes = 4;
    const auto *bytes = reinterpret_cast<const uchar *>(system.constData());
    qsizetype at = VersionBytes;
    while (at + RecordHeaderBytes <= system.size()) {
        const quint16 recordCode = qFromLittleEndian<quint16>(bytes + at);
        const quint16 length = qFromLittleEndian<quint16>(bytes + at + 2);
        const qsizetype data = at + RecordHeaderBytes;
        if (data + length > system.size())
            return {};
        if (recordCode == code) {
            QByteArray text(system.constData() + data, length);
            const qsizetype nul = text.indexOf('\0');
            if (nul >= 0)
                text.truncate(nul);
            return text;
        }
        at = data + length;
    }
    return {};
}

// "index.htm" as the archive names it: "/index.htm". Topics in the system
// file are relative to the archive's root.
QString ChmFile::ObjectPathFrom(const QByteArray &relative) {
    QString path = platform::fromGb(relative).trimmed();
    if (path.isEmpty())
        return {};
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!path.startsWith(QLatin1Char('/')))
        path.prepend(QLatin1Char('/'));
    return path;
}

QByteArray ChmFile::object(const QString &objectPath) const {
    if (objectPath.isEmpty() || objectPath.endsWith(QLatin1Char('/')))
        return {};
    ChmUnitInfo unit{};
    // Archive names are UTF-8; older compilers stored the page's own code
    // page, so a name that is not found as UTF-8 is tried in GB2312.
    if (m_library.resolveObject(m_handle, objectPath.toUtf8().constData(), &unit) !=
        ChmResolveSuccess) {
        const QByteArray gb = platform::toGb(objectPath);
        if (gb == objectPath.toUtf8() ||
            m_library.resolveObject(m_handle, gb.constData(), &unit) != ChmResolveSuccess)
            return {};
    }
    if (QByteArray(unit.path).endsWith('/') || unit.length > MaxObjectBytes)
        return {};

    const auto length = static_cast<qint64>(unit.length);
    QByteArray bytes(length, Qt::Uninitialized);
    qint64 done = 0;
    while (done < length) {
        const qint64 read = m_library.retrieveObject(m_handle, &unit,
                                                     reinterpret_cast<uchar *>(bytes.data()) + done,
                                                     static_cast<quint64>(done), length - done);
        if (read <= 0)
            return {};
        done += read;
    }
    if (bytes.isNull())
        bytes = QByteArray("");
    return bytes;
}
