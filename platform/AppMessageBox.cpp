#include "platform/AppMessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

namespace {
MessageBoxHook &hook() {
    static MessageBoxHook h;
    return h;
}
} // namespace

void SetMessageBoxHook(MessageBoxHook h) { hook() = std::move(h); }

int AppMessageBox(const QString &text, const QString &caption, int flags) {
    if (hook())
        return hook()(text, caption, flags);
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setText(text);
    if (flags == MB_QUESTION_YESNO) {
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setButtonText(QMessageBox::Yes, QStringLiteral("是(&Y)"));
        box.setButtonText(QMessageBox::No, QStringLiteral("否(&N)"));
        return box.exec() == QMessageBox::Yes ? ID_YES : ID_NO;
    }
    box.setIcon(QMessageBox::Critical);
    box.setStandardButtons(QMessageBox::Ok);
    box.setButtonText(QMessageBox::Ok, QStringLiteral("确定"));
    box.exec();
    return ID_OK;
}

} // namespace platform
