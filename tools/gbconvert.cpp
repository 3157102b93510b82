// gbconvert OUT IN [IN...]
//
// Writes the UTF-8 text files IN (concatenated, in order) to OUT as GB2312
// with CR LF line ends, the form every catalogue and code file of the
// program folder takes. Fails, naming file, line and column, on invalid
// UTF-8 and on any character that GB2312 cannot hold, so that nothing
// shipped shows up as a replacement character.
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdio>

static bool isGb2312(QStringView ch, QStringEncoder &encoder) {
    if (ch.size() == 1 && ch[0].unicode() < 0x80)
        return true;
    const QByteArray b = encoder.encode(ch);
    if (encoder.hasError() || b.size() != 2)
        return false;
    const auto lead = static_cast<unsigned char>(b[0]);
    const auto trail = static_cast<unsigned char>(b[1]);
    return lead >= 0xA1 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE;
}

int main(int argc, char **argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: gbconvert OUT IN [IN...]\n");
        return 2;
    }
    QString all;
    QStringEncoder checker("GB18030");
    for (int a = 2; a < argc; ++a) {
        const QString inName = QString::fromLocal8Bit(argv[a]);
        QFile in(inName);
        if (!in.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "%s: cannot read\n", argv[a]);
            return 1;
        }
        QByteArray bytes = in.readAll();
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3);
        QStringDecoder utf8(QStringConverter::Utf8);
        QString text = utf8.decode(bytes);
        if (utf8.hasError()) {
            std::fprintf(stderr, "%s: not valid UTF-8\n", argv[a]);
            return 1;
        }
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        int line = 1;
        int column = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            ++column;
            if (text[i] == u'\n') {
                ++line;
                column = 0;
                continue;
            }
            const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
            if (!isGb2312(QStringView(text).mid(i, len), checker)) {
                std::fprintf(stderr, "%s:%d:%d: U+%04X is not a GB2312 character\n", argv[a], line,
                             column, unsigned(QStringView(text).mid(i, len).toUcs4().value(0)));
                return 1;
            }
            i += len - 1;
        }
        if (!all.isEmpty() && !all.endsWith(u'\n'))
            all += u'\n';
        all += text;
    }
    all.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    QStringEncoder gb("GB18030");
    const QByteArray out = gb.encode(all);
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    // Unbuffered, so a full disk shows as a failed write rather than an empty
    // file put in place by commit().
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(out) != out.size() ||
        !file.commit()) {
        std::fprintf(stderr, "%s: cannot write\n", argv[1]);
        return 1;
    }
    return 0;
}
