// A plug-in for the host's tests. Every call is appended, one word a line, to
// the file named by QUILLARY_TEST_PLUGIN_LOG, so a test can see the order of
// load, ShowForm, OutputCode, CloseForm and unload across dlclose.
// Variants: TEST_PLUGIN_NO_OUTPUT leaves out OutputCode; TEST_PLUGIN_THROWS
// makes ShowForm throw.
#include <quillary/PluginApi.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>

#include <cstdlib>
#include <stdexcept>

namespace {

QPointer<QLabel> form;

void Log(const char *word) {
    const char *path = std::getenv("QUILLARY_TEST_PLUGIN_LOG");
    if (!path)
        return;
    QFile file(QString::fromLocal8Bit(path));
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        file.write(word);
        file.write("\n");
    }
}

__attribute__((constructor)) void Load() {
    Log("load");
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        form = new QLabel();
        form->setObjectName(QString::fromLatin1("TestPluginForm"));
        form->setText(QString::fromUtf8("测试插件"));
    }
}

__attribute__((destructor)) void Unload() {
    Log("unload");
    if (QCoreApplication::instance())
        delete form.data();
}

} // namespace

QUILLARY_PLUGIN_EXPORT void ShowForm(QWidget *parent) {
    Log("ShowForm");
#ifdef TEST_PLUGIN_THROWS
    throw std::runtime_error("ShowForm failed");
#endif
    form->setParent(parent);
    form->setGeometry(parent->rect());
    form->show();
}

#ifndef TEST_PLUGIN_NO_OUTPUT
QUILLARY_PLUGIN_EXPORT QByteArray *OutputCode(QByteArray *text) {
    Log("OutputCode");
    // GB2312 for "生成的代码" CR LF "第二行", built at run time.
    *text = QByteArray("\xC9\xFA\xB3\xC9\xB5\xC4\xB4\xFA\xC2\xEB\r\n\xB5\xDA\xB6\xFE\xD0\xD0");
    return text;
}
#endif

QUILLARY_PLUGIN_EXPORT void CloseForm() {
    Log("CloseForm");
    if (form)
        form->hide();
}
