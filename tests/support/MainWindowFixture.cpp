#include "support/MainWindowFixture.h"

#include "app/TForm_Main.h"
#include "catalogue/CategoryBrowser.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

MainWindowFixture::MainWindowFixture() {
    m_log = file(QStringLiteral("plugin.log"));
    qputenv("QUILLARY_TEST_PLUGIN_LOG", QFile::encodeName(m_log));
    installLibrary(QStringLiteral(TEST_PLUGIN_COMPLETE), QStringLiteral("complete.tvo"));
    installLibrary(QStringLiteral(TEST_PLUGIN_NO_OUTPUT), QStringLiteral("nooutput.tvo"));
    installLibrary(QStringLiteral(TEST_PLUGIN_THROWS), QStringLiteral("throws.tvo"));
    writeBytes(QStringLiteral("system/notalibrary.tvo"), "this is text, not a library\n");
}

MainWindowFixture::~MainWindowFixture() {
    close();
    qunsetenv("QUILLARY_TEST_PLUGIN_LOG");
}

TForm_Main *MainWindowFixture::open() {
    m_form = std::make_unique<TForm_Main>();
    m_form->show();
    return m_form.get();
}

void MainWindowFixture::close() {
    m_form.reset();
}

QPlainTextEdit *MainWindowFixture::code() const {
    return m_form->findChild<QPlainTextEdit *>(QStringLiteral("RichEdit_Code"));
}

QAbstractButton *MainWindowFixture::button(const char *name) const {
    return m_form->findChild<QAbstractButton *>(QString::fromLatin1(name));
}

QAction *MainWindowFixture::action(const char *name) const {
    return m_form->findChild<QAction *>(QString::fromLatin1(name));
}

void MainWindowFixture::clickCategory(const char *buttonName) const {
    QTest::mouseClick(button(buttonName), Qt::LeftButton);
}

void MainWindowFixture::select(int row) const {
    auto *list = m_form->findChild<QListView *>(QStringLiteral("ListView_EfxName"));
    const QModelIndex index = list->model()->index(row, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

QString MainWindowFixture::codeText() const {
    return code()->toPlainText();
}

QStringList MainWindowFixture::takePluginLog() {
    QFile f(m_log);
    QStringList lines;
    if (f.open(QIODevice::ReadOnly))
        lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    f.close();
    QFile::remove(m_log);
    return lines;
}

void MainWindowFixture::answerSaveDialog(const QString &path) {
    auto *timer = new QTimer(m_form.get());
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, m_form.get(), [this, timer, path] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        ++m_saveDialog.shown;
        m_saveDialog.objectName = dialog->objectName();
        m_saveDialog.nameFilters = dialog->nameFilters();
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        const QFileInfo info(path);
        dialog->setDirectory(info.path());
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(info.fileName());
        QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        if (dialog->isVisible()) {
            m_saveDialog.stayedOpen = true;
            dialog->reject();
        }
    });
    timer->start();
}
