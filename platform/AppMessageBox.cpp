#include "platform/AppMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {
MessageBoxHook &hook() {
    static MessageBoxHook h;
    return h;
}
} // namespace

void SetMessageBoxHook(MessageBoxHook h) {
    hook() = std::move(h);
}

int AppMessageBox(const QString &text, const QString &caption, int flags) {
    if (hook())
        return hook()(text, caption, flags);
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setText(text);
    if (flags == MB_QUESTION_YESNO) {
        box.setIcon(QMessageBox::Question);
        QPushButton *yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
        box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == yes ? ID_YES : ID_NO;
    }
    box.setIcon(QMessageBox::Critical);
    box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.exec();
    return ID_OK;
}

void ReportApplicationError(const QString &message) {
    AppMessageBox(message, QApplication::applicationDisplayName(), MB_ICONSTOP_OK);
}

} // namespace platform
