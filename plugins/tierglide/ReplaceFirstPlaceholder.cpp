#include "ReplaceFirstPlaceholder.h"

namespace tierglide {

QString ReplaceFirstPlaceholder(const QString &text, const QString &placeholder,
                                const QString &value) {
    const qsizetype at = text.indexOf(placeholder, 0, Qt::CaseSensitive);
    if (at < 0 || placeholder.isEmpty())
        return text;
    QString result;
    result.reserve(text.size() - placeholder.size() + value.size());
    result.append(QStringView(text).left(at));
    result.append(value);
    result.append(QStringView(text).mid(at + placeholder.size()));
    return result;
}

} // namespace tierglide
