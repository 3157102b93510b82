// The save-name rule on any name: the page is written to the name itself
// exactly when it ends in ".htm", otherwise to the name with ".htm" added.
#include "FuzzCheck.h"

#include "output/SaveName.h"

#include <QString>

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    // The first byte chooses how the rest is read: raw UTF-16 reaches every
    // code unit (lone surrogates included), UTF-8 keeps inputs readable.
    const char *rest = reinterpret_cast<const char *>(data + 1);
    QString name;
    if (data[0] & 1) {
        name = QString(qsizetype((size - 1) / 2), Qt::Uninitialized);
        std::memcpy(name.data(), rest, size_t(name.size()) * sizeof(QChar));
    } else {
        name = QString::fromUtf8(rest, qsizetype(size - 1));
    }
    const QString target = SaveTargetName(name);
    const QString htm = QStringLiteral(".htm");
    FUZZ_CHECK(target.endsWith(htm));
    FUZZ_CHECK(target.startsWith(name));
    FUZZ_CHECK(target == name || target == name + htm);
    FUZZ_CHECK((target == name) == name.endsWith(htm));
    FUZZ_CHECK(SaveTargetName(target) == target);
    return 0;
}
