#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>

ModalAnswerer::ModalAnswerer(QObject *parent) : QObject(parent) {
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer.start();
}

QList<ModalAnswerer::Box> ModalAnswerer::take() {
    QList<Box> boxes;
    boxes.swap(m_boxes);
    return boxes;
}

void ModalAnswerer::poll() {
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        answerBox(box);
    } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
        ++m_fileDialogs;
        if (m_fileDialog)
            m_fileDialog(dialog);
        if (dialog->isVisible())
            dialog->reject();
    } else if (auto *other = qobject_cast<QDialog *>(modal)) {
        other->reject();
    } else {
        modal->close();
    }
}

void ModalAnswerer::answerBox(QMessageBox *box) {
    Box seen{box->windowTitle(), box->text(), box->icon(), {}};
    QAbstractButton *yes = nullptr;
    QAbstractButton *no = nullptr;
    QAbstractButton *ok = nullptr;
    for (QAbstractButton *button : box->buttons()) {
        seen.buttons.append(button->text());
        switch (box->buttonRole(button)) {
        case QMessageBox::YesRole:
            yes = button;
            break;
        case QMessageBox::NoRole:
            no = button;
            break;
        default:
            ok = button;
            break;
        }
    }
    m_boxes.append(seen);
    Answer answer = yes ? Answer::No : Answer::Ok;
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    QAbstractButton *target = answer == Answer::Yes ? yes : answer == Answer::No ? no : ok;
    if (!target)
        target = ok ? ok : (no ? no : yes);
    if (target)
        target->click();
    else
        box->close();
}
