#include "HelpBrowser.h"

#include "ChmFile.h"
#include "platform/Gb2312.h"

#include <QDesktopServices>
#include <QImage>
#include <QRegularExpression>
#include <QTextDocument>

namespace {

const QString TopicScheme = QStringLiteral("chm");

// How far into a page its character set declaration is looked for.
constexpr qsizetype CharsetSearchBytes = 2048;

} // namespace

HelpBrowser::HelpBrowser(const ChmFile &chm, QWidget *parent) : QTextBrowser(parent), m_chm(chm) {
    setObjectName(QStringLiteral("TextBrowser_Help"));
    // Links are followed here, so that archive pages load through
    // loadResource and everything else goes to the desktop.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::openLink);
}

QUrl HelpBrowser::TopicUrl(const QString &objectPath) {
    QUrl url;
    url.setScheme(TopicScheme);
    url.setPath(objectPath.startsWith(QLatin1Char('/')) ? objectPath
                                                        : QLatin1Char('/') + objectPath);
    return url;
}

QString HelpBrowser::ObjectPath(const QUrl &url) {
    if (url.scheme() != TopicScheme)
        return {};
    return url.path(QUrl::FullyDecoded);
}

QString HelpBrowser::DecodeText(const QByteArray &bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    static const QRegularExpression charset(QStringLiteral("charset\\s*=\\s*[\"']?\\s*utf-?8"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (charset.match(QString::fromLatin1(bytes.left(CharsetSearchBytes))).hasMatch())
        return QString::fromUtf8(bytes);
    return platform::fromGb(bytes);
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name) {
    QUrl url = name;
    if (url.isRelative()) {
        const QUrl base = source().isValid() ? source() : TopicUrl(QStringLiteral("/"));
        url = base.resolved(name);
    }
    const QString path = ObjectPath(url);
    if (path.isEmpty())
        return {};
    const QByteArray bytes = m_chm.object(path);
    if (bytes.isNull())
        return {};

    switch (type) {
    case QTextDocument::HtmlResource:
    case QTextDocument::StyleSheetResource:
        return DecodeText(bytes);
    case QTextDocument::ImageResource: {
        const QImage image = QImage::fromData(bytes);
        if (image.isNull())
            return {};
        return image;
    }
    default:
        return bytes;
    }
}

void HelpBrowser::openLink(const QUrl &url) {
    const QUrl target = url.isRelative() ? source().resolved(url) : url;
    if (target.scheme() == TopicScheme)
        setSource(target);
    else if (target.isValid())
        QDesktopServices::openUrl(target);
}
