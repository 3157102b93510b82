#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

class QFileDialog;

// Answers the modal windows that open while it exists, as a user would: it
// polls QApplication::activeModalWidget(), notes every message box and
// clicks one of its buttons, and hands every file dialog to a handler (or
// cancels it). Message boxes of a plug-in are real boxes: the plug-in's copy
// of the platform layer has no test hook.
class ModalAnswerer : public QObject {
public:
    enum class Answer { Yes, No, Ok };

    struct Box {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QStringList buttons;
    };

    explicit ModalAnswerer(QObject *parent = nullptr);

    // The next question is answered so; without a queued answer a question
    // gets No and any other box OK.
    void queue(Answer answer) { m_answers.push_back(answer); }
    void onFileDialog(std::function<void(QFileDialog *)> handler) {
        m_fileDialog = std::move(handler);
    }

    // The message boxes answered since the last call.
    QList<Box> take();
    int fileDialogs() const { return m_fileDialogs; }

private:
    void poll();
    void answerBox(QMessageBox *box);

    QTimer m_timer;
    std::deque<Answer> m_answers;
    std::function<void(QFileDialog *)> m_fileDialog;
    QList<Box> m_boxes;
    int m_fileDialogs = 0;
};
