#include "ModalWatcher.h"

#include <QApplication>
#include <QDialog>

ModalWatcher::ModalWatcher(std::function<void(QWidget *)> answer, QObject *parent)
    : QObject(parent), m_answer(std::move(answer)) {
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &ModalWatcher::poll);
    m_timer.start();
}

void ModalWatcher::poll() {
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (m_answered) {
        // Still open after the answer, or a second window: get it out of the
        // way; closing a dialog rejects it.
        ++m_unexpected;
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        return;
    }
    m_answered = true;
    m_window = modal;
    m_answer(modal);
}
