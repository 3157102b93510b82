#include "app/TitleDrag.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

void TitleDrag::MouseDown(QWidget *window, bool leftButton, QPoint pos) {
    PressFormLeft = window->x();
    PressFormTop = window->y();
    PressScreenPoint = window->mapToGlobal(pos);
    if (!leftButton)
        return;
    // Where the window system does not let a program place its own window
    // (Wayland), the compositor moves it for us.
    if (QGuiApplication::platformName() == QLatin1String("wayland") && window->windowHandle() &&
        window->windowHandle()->startSystemMove())
        return;
    Dragging = true;
}

void TitleDrag::MouseMove(QWidget *window, QPoint pos) {
    if (!Dragging)
        return;
    MoveScreenPoint = window->mapToGlobal(pos);
    window->move(MoveScreenPoint.x() - PressScreenPoint.x() + PressFormLeft, window->y());
    window->move(window->x(), MoveScreenPoint.y() - PressScreenPoint.y() + PressFormTop);
}
