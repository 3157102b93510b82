#pragma once

#include <QString>

namespace tierglide {

// `text` with the first occurrence of `placeholder` (case-sensitive, anywhere
// in the text) replaced by `value`; unchanged when it does not occur.
QString ReplaceFirstPlaceholder(const QString &text, const QString &placeholder,
                                const QString &value);

} // namespace tierglide
