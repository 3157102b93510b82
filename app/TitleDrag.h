#pragma once

#include <QPoint>

class QWidget;

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
