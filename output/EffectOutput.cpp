#include "output/EffectOutput.h"

#include "catalogue/CatalogueEntry.h"
#include "catalogue/CategoryBrowser.h"
#include "host/EffectHost.h"
#include "output/SaveName.h"
#include "platform/AppMessageBox.h"
#include "platform/DesktopShell.h"
#include "platform/FileNames.h"
#include "platform/Gb2312.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QSaveFile>

namespace {

constexpr qint64 MaxImageBytes = 256 * 1024 * 1024;

// Writes `bytes` to `path` atomically: the old file stays whole until the new
// one is complete, and stays as it was when anything fails. A link is
// written through to the file it names. Only a regular file is ever
// replaced: a FIFO, a device or a folder at the path (or at the end of a link)
// is left alone and nothing is written, since replacing it would destroy it
// and writing into it could block or go anywhere.
bool WriteFileAtomically(const QString &path, const QByteArray &bytes) {
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile())
        return false;
    QSaveFile file(path);
    // Unbuffered, so a write that fails (a full disk) fails here. Buffered,
    // the bytes would only be written by commit(), which does not notice that
    // failure and puts the empty new file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

} // namespace

EffectOutput::EffectOutput(EffectHost *host, CategoryBrowser *browser, QPlainTextEdit *code,
                           QFileDialog *saveDialog, QObject *parent)
    : QObject(parent), m_host(host), m_browser(browser), m_code(code), m_saveDialog(saveDialog) {}

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
    WriteFileAtomically(path, platform::PageBytes(m_code->toPlainText()));
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
    if (m_saveDialog->exec() != QDialog::Accepted || m_saveDialog->selectedFiles().isEmpty())
        return;
    const QString name = m_saveDialog->selectedFiles().constFirst();
    const QString target = SaveTargetName(name);
    if (QFileInfo::exists(target) &&
        platform::AppMessageBox(QStringLiteral("文件已经存在,是否覆盖?"), QStringLiteral("警告"),
                                platform::MB_QUESTION_YESNO) != platform::ID_YES)
        return;
    WriteFileAtomically(target, platform::PageBytes(m_code->toPlainText()));
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
            WriteFileAtomically(destination, *bytes);
    }
}
