#include "output/EffectOutput.h"

#include "catalogue/CatalogueEntry.h"
#include "catalogue/CategoryBrowser.h"
#include "host/EffectHost.h"
#include "output/SaveName.h"
#include "platform/AppMessageBox.h"
#include "platform/AtomicFile.h"
#include "platform/DesktopShell.h"
#include "platform/FileNames.h"
#include "platform/Gb2312.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPlainTextEdit>

namespace {

constexpr qint64 MaxImageBytes = 256 * 1024 * 1024;

} // namespace

EffectOutput::EffectOutput(EffectHost *host, CategoryBrowser *browser, QPlainTextEdit *code,
                           QWidget *dialogParent, QObject *parent)
    : QObject(parent), m_host(host), m_browser(browser), m_code(code),
      m_dialogParent(dialogParent) {}

QFileDialog *EffectOutput::SaveDialog() {
    if (!m_saveDialog) {
        // Asks nothing itself: the save command asks before it overwrites.
        m_saveDialog = new QFileDialog(m_dialogParent);
        m_saveDialog->setObjectName(QStringLiteral("SaveDialog_Code"));
        m_saveDialog->setAcceptMode(QFileDialog::AcceptSave);
        m_saveDialog->setFileMode(QFileDialog::AnyFile);
        m_saveDialog->setNameFilter(QStringLiteral("网页文件(*.htm)"));
        m_saveDialog->setOptions(QFileDialog::DontConfirmOverwrite |
                                 QFileDialog::DontUseNativeDialog);
    }
    return m_saveDialog;
}

void EffectOutput::FetchGeneratedCode() {
    if (!m_host->CurrentEffectIsPlugin || !m_host->PluginActive)
        return;
    QByteArray text;
    m_host->PluginOutputCode(&text);
    EffectHost::SetCodeText(m_code, platform::fromGb(text));
}

void EffectOutput::SpeedButton_PreviewClick() {
    FetchGeneratedCode();
    const QString path = platform::ProgramFolder() + QStringLiteral("images/example.htm");
    platform::WriteFileAtomically(path, platform::PageBytes(m_code->toPlainText()));
    platform::ShellOpenFile(path);
}

void EffectOutput::SpeedButton_CopyClick() {
    FetchGeneratedCode();
    m_code->selectAll();
    m_code->copy();
}

void EffectOutput::SpeedButton_SaveClick() {
    if (m_browser->ItemIndex() < 0)
        return;
    FetchGeneratedCode();
    QFileDialog *dialog = SaveDialog();
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return;
    const QString name = dialog->selectedFiles().constFirst();
    const QString target = SaveTargetName(name);
    if (QFileInfo::exists(target) &&
        platform::AppMessageBox(QStringLiteral("文件已经存在,是否覆盖?"), QStringLiteral("警告"),
                                platform::MB_QUESTION_YESNO) != platform::ID_YES)
        return;
    platform::WriteFileAtomically(target, platform::PageBytes(m_code->toPlainText()));
    try {
        CopyResources(QFileInfo(name).absolutePath() + QLatin1Char('/'), target);
    } catch (const CatalogueConversionError &error) {
        platform::ReportApplicationError(error.message());
    }
}

void EffectOutput::CopyResources(const QString &pageFolder, const QString &target) {
    const EffectCategory category = m_browser->CurrentCategory();
    const int index = m_browser->ItemIndex() + 1;
    // A bad count field throws here, after the page was written and before
    // any image is copied; the application's error report shows it.
    const QStringList list = EntryResourceList(category, index);
    const QString images = platform::ProgramFolder() + QStringLiteral("images/");
    const QString targetPath = QFileInfo(target).absoluteFilePath();
    const QString targetFile = QFileInfo(target).canonicalFilePath(); // empty if not written
    for (qsizetype k = 1; k < list.size(); ++k) {
        const QString &resource = list.at(k);
        // Only plain file names: nothing is ever written outside the page's
        // folder, and the page just saved is never overwritten by an image.
        if (!platform::IsPlainFileName(resource))
            continue;
        const QString source = images + resource;
        const QString destination = pageFolder + resource;
        const QFileInfo destinationInfo(destination);
        if (destinationInfo.absoluteFilePath() == targetPath ||
            (!targetFile.isEmpty() && destinationInfo.canonicalFilePath() == targetFile))
            continue; // the page itself, by its name or through a link
        const std::optional<QByteArray> bytes = platform::ReadRegularFile(source, MaxImageBytes);
        if (bytes)
            platform::WriteFileAtomically(destination, *bytes);
    }
}
