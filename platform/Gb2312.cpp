#include "platform/Gb2312.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

// The converter keeps an unfinished character at the end of its input
// pending, waiting for more. A line feed, which is never part of a character,
// makes it give that up (as U+FFFD, or a substitution byte), so nothing at
// the end is dropped; the line feed itself is taken off again.
QString fromGb(QByteArrayView bytes) {
    QStringDecoder decoder("GB18030");
    QString text = decoder.decode(bytes);
    const QString rest = decoder.decode(QByteArrayView("\n", 1));
    if (!rest.isEmpty())
        text.append(QStringView(rest).chopped(1));
    return text;
}

QByteArray toGb(QStringView text) {
    QStringEncoder encoder("GB18030");
    QByteArray bytes = encoder.encode(text);
    const QByteArray rest = encoder.encode(u"\n");
    if (!rest.isEmpty())
        bytes.append(QByteArrayView(rest).chopped(1));
    return bytes;
}

QString truncateToGbBytes(const QString &text, int maxBytes) {
    // Every character takes at most four bytes: short texts always fit.
    if (text.size() * 4 <= maxBytes)
        return text;
    const QByteArray bytes = toGb(text);
    if (bytes.size() <= maxBytes)
        return text;
    // Walk the encoded bytes by GB18030's structure (one byte below 0x80,
    // four when a digit follows the lead byte, else two) to count the whole
    // characters that fit, then cut the text after as many code points.
    qsizetype pos = 0;
    qsizetype codePoints = 0;
    while (pos < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes.at(pos));
        qsizetype len = 1;
        if (lead >= 0x80) {
            len = 2;
            if (pos + 1 < bytes.size()) {
                const auto next = static_cast<unsigned char>(bytes.at(pos + 1));
                if (next >= 0x30 && next <= 0x39)
                    len = 4;
            }
        }
        if (pos + len > maxBytes)
            break;
        pos += len;
        ++codePoints;
    }
    // A surrogate pair is one character; a lone surrogate is encoded as one
    // substitution byte of its own, so it counts as one character too.
    qsizetype units = 0;
    for (qsizetype n = 0; n < codePoints && units < text.size(); ++n) {
        const bool pair = text.at(units).isHighSurrogate() && units + 1 < text.size() &&
                          text.at(units + 1).isLowSurrogate();
        units += pair ? 2 : 1;
    }
    return text.left(units);
}

} // namespace platform
