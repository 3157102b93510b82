#include "HelpWindow.h"

#include "ChmFile.h"
#include "HelpBrowser.h"
#include "platform/Gb2312.h"

#include <QAction>
#include <QFileInfo>
#include <QFont>
#include <QHeaderView>
#include <QKeySequence>
#include <QRegularExpression>
#include <QSplitter>
#include <QStyle>
#include <QTextDocumentFragment>
#include <QToolBar>
#include <QTreeWidget>

#include <vector>

namespace {

constexpr int TopicRole = Qt::UserRole;

// Attribute `name` of a tag's attribute text, with its entities decoded.
QString Attribute(const QString &attributes, const QString &name) {
    const QRegularExpression pattern(
        QStringLiteral("\\b%1\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))")
            .arg(QRegularExpression::escape(name)),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(attributes);
    if (!match.hasMatch())
        return {};
    QString value = match.captured(1);
    if (value.isNull())
        value = match.captured(2);
    if (value.isNull())
        value = match.captured(3);
    return QTextDocumentFragment::fromHtml(value).toPlainText();
}

// Fills `tree` from the site map of a table of contents: nested <UL> lists
// whose <LI> items hold an <OBJECT type="text/sitemap"> with the parameters
// "Name" (the caption) and "Local" (the page, relative to the archive's
// root). An entry without a page is a heading for the entries under it.
void AddContents(QTreeWidget *tree, const QString &siteMap) {
    static const QRegularExpression tag(QStringLiteral("<\\s*(/?)\\s*(ul|object|param)\\b([^>]*)>"),
                                        QRegularExpression::CaseInsensitiveOption);

    std::vector<QTreeWidgetItem *> parents; // the entries whose lists are open
    QTreeWidgetItem *last = nullptr;        // the entry made last, parent of a new list
    bool inEntry = false;
    QString caption;
    QString local;

    auto it = tag.globalMatch(siteMap);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const bool closing = !match.captured(1).isEmpty();
        const QString name = match.captured(2).toLower();
        const QString attributes = match.captured(3);
        if (name == QLatin1String("ul")) {
            if (!closing) {
                parents.push_back(last);
            } else if (!parents.empty()) {
                last = parents.back();
                parents.pop_back();
            }
        } else if (name == QLatin1String("object")) {
            if (!closing) {
                inEntry = Attribute(attributes, QStringLiteral("type"))
                              .compare(QLatin1String("text/sitemap"), Qt::CaseInsensitive) == 0;
                caption.clear();
                local.clear();
            } else if (inEntry) {
                inEntry = false;
                QTreeWidgetItem *parent = parents.empty() ? nullptr : parents.back();
                auto *item =
                    parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
                item->setText(0, caption);
                if (!local.isEmpty()) {
                    QString path = local;
                    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
                    if (!path.startsWith(QLatin1Char('/')))
                        path.prepend(QLatin1Char('/'));
                    item->setData(0, TopicRole, path);
                }
                last = item;
            }
        } else if (name == QLatin1String("param") && inEntry) {
            const QString param = Attribute(attributes, QStringLiteral("name"));
            if (param.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0)
                caption = Attribute(attributes, QStringLiteral("value"));
            else if (param.compare(QLatin1String("Local"), Qt::CaseInsensitive) == 0)
                local = Attribute(attributes, QStringLiteral("value"));
        }
    }
}

QTreeWidgetItem *FirstTopic(QTreeWidgetItem *item) {
    if (!item->data(0, TopicRole).toString().isEmpty())
        return item;
    for (int i = 0; i < item->childCount(); ++i) {
        if (QTreeWidgetItem *found = FirstTopic(item->child(i)))
            return found;
    }
    return nullptr;
}

// The page part of a topic: "/output.htm#save" and "/OUTPUT.HTM" both name
// "/output.htm", as the archive does not mind letter case.
QString TopicKey(const QString &path) {
    return path.section(QLatin1Char('#'), 0, 0).toLower();
}

} // namespace

HelpWindow::HelpWindow(std::unique_ptr<ChmFile> chm, QWidget *parent)
    : QMainWindow(parent), m_chm(std::move(chm)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(m_chm->title().isEmpty() ? QFileInfo(m_chm->path()).fileName() : m_chm->title());
    resize(780, 560);
    // The pages use several sizes and faces; the Song bitmaps of the
    // program's own font exist for only a few of them, so the help is
    // drawn smoothed.
    QFont smooth = font();
    smooth.setStyleStrategy(QFont::PreferDefault);
    setFont(smooth);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("Splitter_Help"));
    m_contents = new QTreeWidget(m_splitter);
    m_contents->setObjectName(QStringLiteral("TreeWidget_Contents"));
    m_contents->setHeaderHidden(true);
    m_contents->setColumnCount(1);
    m_browser = new HelpBrowser(*m_chm, m_splitter);
    m_splitter->addWidget(m_contents);
    m_splitter->addWidget(m_browser);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({200, 580});
    setCentralWidget(m_splitter);

    auto *toolBar = addToolBar(QStringLiteral("帮助"));
    toolBar->setObjectName(QStringLiteral("ToolBar_Help"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_back =
        toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("后退"));
    m_back->setObjectName(QStringLiteral("Action_Back"));
    m_back->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    m_back->setEnabled(false);
    m_forward =
        toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("前进"));
    m_forward->setObjectName(QStringLiteral("Action_Forward"));
    m_forward->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    m_forward->setEnabled(false);
    m_home =
        toolBar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("主页"));
    m_home->setObjectName(QStringLiteral("Action_Home"));
    m_home->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));

    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_home, &QAction::triggered, this, &HelpWindow::showDefaultTopic);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::markCurrentTopic);
    connect(m_contents, &QTreeWidget::itemClicked, this, &HelpWindow::openContentsItem);
    connect(m_contents, &QTreeWidget::itemActivated, this, &HelpWindow::openContentsItem);

    fillContents();
    showDefaultTopic();
}

HelpWindow::~HelpWindow() {
    // The browser reads from the help file; it goes first.
    delete m_splitter;
}

void HelpWindow::fillContents() {
    const QString contentsFile = m_chm->contentsFile();
    const QByteArray siteMap = contentsFile.isEmpty() ? QByteArray() : m_chm->object(contentsFile);
    if (!siteMap.isEmpty())
        AddContents(m_contents, HelpBrowser::DecodeText(siteMap));
    m_contents->expandAll();
    m_contents->setVisible(m_contents->topLevelItemCount() > 0);
}

void HelpWindow::showDefaultTopic() {
    QString topic = m_chm->defaultTopic();
    for (int i = 0; topic.isEmpty() && i < m_contents->topLevelItemCount(); ++i) {
        if (QTreeWidgetItem *first = FirstTopic(m_contents->topLevelItem(i)))
            topic = first->data(0, TopicRole).toString();
    }
    if (!topic.isEmpty())
        showTopic(topic);
}

void HelpWindow::showTopic(const QString &objectPath) {
    m_browser->setSource(HelpBrowser::TopicUrl(objectPath));
}

void HelpWindow::openContentsItem(QTreeWidgetItem *item) {
    const QString topic = item != nullptr ? item->data(0, TopicRole).toString() : QString();
    if (!topic.isEmpty())
        showTopic(topic);
}

// Keeps the table of contents on the page shown, however it was reached.
void HelpWindow::markCurrentTopic(const QUrl &url) {
    const QString key = TopicKey(HelpBrowser::ObjectPath(url));
    for (QTreeWidgetItemIterator it(m_contents); *it != nullptr; ++it) {
        if (TopicKey((*it)->data(0, TopicRole).toString()) == key) {
            m_contents->setCurrentItem(*it);
            return;
        }
    }
    m_contents->clearSelection();
}
