#pragma once

#include <QObject>

class QWidget;

// Tells the benchmark, through a pipe, the moment a freshly started window
// has been painted and the event loop has nothing left to do, then quits the
// event loop. A zero timer fires once the events queued before it are
// handled; it is set again until the window's first paint has happened.
class IdleReporter : public QObject {
    Q_OBJECT
public:
    IdleReporter(QWidget *window, int fd);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Check();

    QWidget *m_window;
    int m_fd;
    bool m_painted = false;
};
