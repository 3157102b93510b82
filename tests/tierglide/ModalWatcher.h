#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the next modal window (message box, file or colour dialog) that
// opens while it exists: it polls QApplication::activeModalWidget() and
// hands the first one it finds to `answer`, once. Any other modal window
// that opens afterwards, or stays open after the answer, is closed and
// counted, so that a wrong answer fails the test instead of hanging it.
class ModalWatcher : public QObject {
    Q_OBJECT

public:
    explicit ModalWatcher(std::function<void(QWidget *)> answer, QObject *parent = nullptr);

    // Whether a modal window was found and answered.
    bool answered() const { return m_answered; }
    // The modal window that was answered (null once it is gone).
    QWidget *window() const { return m_window; }
    // Modal windows closed because nothing expected them.
    int unexpectedWindows() const { return m_unexpected; }

private:
    void poll();

    std::function<void(QWidget *)> m_answer;
    QTimer m_timer;
    bool m_answered = false;
    int m_unexpected = 0;
    QPointer<QWidget> m_window;
};
