#pragma once

#include <QMainWindow>

#include <memory>

class ChmFile;
class HelpBrowser;
class QAction;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

// The help viewer: one top-level window for one help file, with the file's
// table of contents on the left, its pages on the right and a tool bar to go
// back, forward and home. The window's title is the help file's title.
class HelpWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit HelpWindow(std::unique_ptr<ChmFile> chm, QWidget *parent = nullptr);
    ~HelpWindow() override;

    const ChmFile &chm() const { return *m_chm; }
    HelpBrowser *browser() const { return m_browser; }
    QTreeWidget *contents() const { return m_contents; }

    // Shows the help file's default topic (without one, the first page of
    // its table of contents).
    void showDefaultTopic();
    // Shows the page at `objectPath` in the archive ("/browse.htm").
    void showTopic(const QString &objectPath);

private:
    void fillContents();
    void openContentsItem(QTreeWidgetItem *item);
    void markCurrentTopic(const QUrl &url);

    std::unique_ptr<ChmFile> m_chm;
    QSplitter *m_splitter = nullptr;
    QTreeWidget *m_contents = nullptr;
    HelpBrowser *m_browser = nullptr;
    QAction *m_back = nullptr;
    QAction *m_forward = nullptr;
    QAction *m_home = nullptr;
};
