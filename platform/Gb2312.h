#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace platform {

// Decodes GB2312 (read as GB18030, its superset) bytes into Unicode.
// Undecodable bytes become U+FFFD; nothing else is dropped.
QString fromGb(QByteArrayView bytes);

// Encodes Unicode as GB18030: identical to GB2312 for every GB2312 character,
// and lossless for anything a user may type beyond it.
QByteArray toGb(QStringView text);

// `text` cut to at most `maxBytes` bytes of its GB18030 form, never inside a
// character.
QString truncateToGbBytes(const QString &text, int maxBytes);

} // namespace platform
