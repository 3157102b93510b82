#include "host/EffectHost.h"

#include "catalogue/CatalogueEntry.h"
#include "catalogue/CategoryBrowser.h"
#include "platform/AppMessageBox.h"
#include "platform/FileNames.h"
#include "platform/MakerLinks.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTextOption>
#include <QWidget>

namespace {

const QString kLoadFailed = QStringLiteral("加载该特效失败！");
const QString kWarning = QStringLiteral("警告");

// The library a plug-in entry names: a plain file name inside "system/" that
// is a regular file there. Anything else (a path, "..", a link leading out of
// the folder, a folder or device) gives an empty string and is never opened.
QString PluginPath(const QString &target) {
    if (!platform::IsPlainFileName(target))
        return QString();
    const QString folder = platform::ProgramFolder() + QStringLiteral("system/");
    const QFileInfo info(folder + target);
    if (!info.isFile())
        return QString();
    const QString canonicalFolder = QDir(folder).canonicalPath();
    if (canonicalFolder.isEmpty() || QFileInfo(info.canonicalFilePath()).path() != canonicalFolder)
        return QString();
    return info.absoluteFilePath();
}

// The pane wraps long lines at word boundaries. A line with no place to
// break for many thousand characters (a data: address, packed script) costs
// that wrapping time that grows with the square of its length: a line of
// 1 MB would keep the window busy for minutes. Such text is wrapped anywhere
// instead, which takes time in proportion to its length.
constexpr qsizetype MaxUnbrokenRun = 16 * 1024;

bool HasLongUnbrokenRun(QStringView text) {
    qsizetype run = 0;
    for (QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > MaxUnbrokenRun)
            return true;
    }
    return false;
}

void ShowInPane(QPlainTextEdit *code, const QString &text) {
    code->setWordWrapMode(HasLongUnbrokenRun(text) ? QTextOption::WrapAnywhere
                                                   : QTextOption::WrapAtWordBoundaryOrAnywhere);
    code->setPlainText(text);
}

// A Personal entry's code file is used as the entry names it; a relative
// name is taken from the program folder rather than the working folder.
QString PersonalCodePath(const QString &path) {
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return path;
    return platform::ProgramFolder() + path;
}

} // namespace

EffectHost::EffectHost(CategoryBrowser *browser, QWidget *panelCode, QPlainTextEdit *code,
                       QList<QObject *> outputControls, QObject *parent)
    : QObject(parent), m_browser(browser), m_panelCode(panelCode), m_code(code),
      m_outputControls(std::move(outputControls)) {}

EffectHost::~EffectHost() {
    UnloadPlugin();
}

void EffectHost::ListView_EfxNameChange() {
    const int i = m_browser->ItemIndex() + 1;
    if (i == LastEffectIndex)
        return;
    LastEffectIndex = i;
    if (m_browser->SelCount() != 1)
        return;

    UnloadPlugin();
    CurrentEffectIsPlugin = false;
    SetOutputEnabled(true);
    m_code->clear();
    if (m_browser->CurrentCategory() == EffectCategory::Personal) {
        const QString path = PersonalCodePath(PersonalEntryPath(i));
        if (!LoadCodeFile(path)) {
            m_code->clear();
            ShowLoadError();
        }
        return;
    }
    LoadSelectedEffect();
}

void EffectHost::LoadSelectedEffect() {
    const int i = m_browser->ItemIndex() + 1;
    const EffectCategory category = m_browser->CurrentCategory();
    if (category == EffectCategory::Personal)
        return; // the change handler's Personal path loads those entries
    CurrentEffectIsPlugin = IsPluginEntry(category, i);

    if (!CurrentEffectIsPlugin) {
        const QString path =
            platform::ProgramFolder() + CategoryFolder(category) + PadEntryIndex(i) + ".bos";
        if (!LoadCodeFile(path)) {
            m_code->clear();
            ShowLoadError();
        }
        return;
    }

    if (PluginActive)
        return;
    const QString path = PluginPath(EntryTargetName(category, i));
    if (path.isEmpty() || !PluginLibrary.load(path)) {
        ShowLoadError();
        return;
    }
    PluginShowForm = reinterpret_cast<quillary::ShowFormFn>(PluginLibrary.resolve("ShowForm"));
    PluginCloseForm = reinterpret_cast<quillary::CloseFormFn>(PluginLibrary.resolve("CloseForm"));
    PluginOutputCode =
        reinterpret_cast<quillary::OutputCodeFn>(PluginLibrary.resolve("OutputCode"));
    if (!PluginShowForm || !PluginCloseForm || !PluginOutputCode) {
        ShowLoadError();
        PluginLibrary.unload(); // never shown, so nothing of it can still run
        return;
    }
    if (!CallShowForm()) {
        ShowLoadError();
        return;
    }
    PluginActive = true;
}

bool EffectHost::CallShowForm() {
    try {
        PluginShowForm(m_panelCode);
        return true;
    } catch (...) {
        // A library that fails while showing its form is closed and freed
        // again; it is never marked active.
        try {
            PluginCloseForm();
        } catch (...) {
        }
        PluginLibrary.unload();
        return false;
    }
}

void EffectHost::UnloadPlugin() {
    if (!PluginActive)
        return;
    try {
        PluginCloseForm();
    } catch (...) {
    }
    PluginLibrary.unload();
    PluginActive = false;
}

void EffectHost::FormDestroy() {
    UnloadPlugin();
}

void EffectHost::Personal_EfxClick() {
    UnloadPlugin();
    const QString path = platform::ProgramFolder() + QStringLiteral("system/personaladd.tvo");
    const QString message = QStringLiteral("加载个人特效箱失败！请到禾川主页重新下载本软件：%1")
                                .arg(QString::fromLatin1(platform::MakerDownloadPage));
    if (!QFileInfo(path).isFile() || !PluginLibrary.load(path)) {
        platform::AppMessageBox(message, kWarning, platform::MB_ICONSTOP_OK);
        return;
    }
    PluginShowForm = reinterpret_cast<quillary::ShowFormFn>(PluginLibrary.resolve("ShowForm"));
    PluginCloseForm = reinterpret_cast<quillary::CloseFormFn>(PluginLibrary.resolve("CloseForm"));
    if (PluginShowForm && PluginCloseForm && CallShowForm()) {
        PluginActive = true;
    } else {
        platform::AppMessageBox(message, kWarning, platform::MB_ICONSTOP_OK);
        PluginLibrary.unload();
    }
    SetOutputEnabled(false);
}

bool EffectHost::LoadCodeFile(const QString &path) {
    const std::optional<QString> text = platform::ReadTextFile(path);
    if (!text)
        return false;
    ShowInPane(m_code, *text);
    return true;
}

void EffectHost::SetCodeText(QPlainTextEdit *code, const QString &text) {
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    ShowInPane(code, lines);
}

void EffectHost::SetOutputEnabled(bool enabled) {
    for (QObject *control : std::as_const(m_outputControls)) {
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            button->setEnabled(enabled);
        else if (auto *action = qobject_cast<QAction *>(control))
            action->setEnabled(enabled);
    }
}

void EffectHost::ShowLoadError() {
    platform::AppMessageBox(kLoadFailed, kWarning, platform::MB_ICONSTOP_OK);
}
