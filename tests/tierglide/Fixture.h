#pragma once

#include <QFile>
#include <QString>

// A hand-written expected page of tests/tierglide/data, as UTF-8 text.
inline QString readFixture(const char *name) {
    QFile file(QStringLiteral(TIERGLIDE_TEST_DATA) + u'/' + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return QString::fromUtf8(file.readAll());
}
