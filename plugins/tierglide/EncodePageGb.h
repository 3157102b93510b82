#pragma once

#include <QByteArray>
#include <QString>

namespace tierglide {

// The page as GB2312 bytes, converted a few thousand lines at a time: a
// single conversion of a page of many thousand menu rows would ask for a
// scratch buffer of eight bytes per character at once, memory the system
// hands out afresh, and slowly, on every call.
QByteArray EncodePageGb(const QString &page);

} // namespace tierglide
