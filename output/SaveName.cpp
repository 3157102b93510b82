#include "output/SaveName.h"

QString SaveTargetName(const QString &name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    QString extension;
    if (dot >= 0) {
        const QString rest = name.mid(dot);
        if (!rest.contains(QLatin1Char('/')) && !rest.contains(QLatin1Char('\\')) &&
            !rest.contains(QLatin1Char(':')))
            extension = rest;
    }
    return extension == QLatin1String(".htm") ? name : name + QStringLiteral(".htm");
}
