#pragma once

#include <QTextBrowser>
#include <QUrl>

class ChmFile;

// The page pane of the help window: shows the pages of one help file and
// takes every page, picture and style sheet they refer to from that file.
// Pages live at addresses of the form "chm:/index.htm", so relative links
// and pictures resolve inside the archive; links that leave it (web pages,
// mail addresses) go to the desktop's own programs.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT

public:
    explicit HelpBrowser(const ChmFile &chm, QWidget *parent = nullptr);

    // The address of the archive object at `objectPath` ("/index.htm").
    static QUrl TopicUrl(const QString &objectPath);
    // The archive object that `url` names, without its fragment; empty for
    // an address outside the archive.
    static QString ObjectPath(const QUrl &url);
    // A page or style sheet's text: UTF-8 when the page says so (or starts
    // with a UTF-8 byte-order mark), otherwise GB2312, the help's own code
    // page.
    static QString DecodeText(const QByteArray &bytes);

    QVariant loadResource(int type, const QUrl &name) override;

private:
    void openLink(const QUrl &url);

    const ChmFile &m_chm;
};
