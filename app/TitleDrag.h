#pragma once

#include <QEvent>
#include <QMouseEvent>
#include <QPoint>
#include <QWidget>

// Moving a frameless window by dragging its title picture. The mouse
// positions are the window's client coordinates (the picture lies at the
// client origin). Each move converts the point through the window's current
// position, so the window follows the true screen position of the mouse.
class TitleDrag {
public:
    int PressFormLeft = 0;
    int PressFormTop = 0;
    QPoint MoveScreenPoint;
    QPoint PressScreenPoint;
    bool Dragging = false;

    // Any button records the press; only the left button starts a drag.
    void MouseDown(QWidget *window, bool leftButton, QPoint pos);
    void MouseMove(QWidget *window, QPoint pos);
    void MouseUp() { Dragging = false; }
};

// Hands the mouse events of a form's title picture to the form's
// Image_TopMouseDown, Image_TopMouseMove and Image_TopMouseUp, with the
// positions in the form's client coordinates. True when the event was one.
template <typename Form> bool DispatchTitleMouse(Form *form, QWidget *picture, QEvent *event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        form->Image_TopMouseDown(mouse->button(),
                                 picture->mapTo(form, mouse->position().toPoint()));
        return true;
    }
    case QEvent::MouseMove:
        form->Image_TopMouseMove(
            picture->mapTo(form, static_cast<QMouseEvent *>(event)->position().toPoint()));
        return true;
    case QEvent::MouseButtonRelease:
        form->Image_TopMouseUp();
        return true;
    default:
        return false;
    }
}
