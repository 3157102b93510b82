#pragma once

#include "app/TitleDrag.h"

#include <QDialog>

class QLabel;

// The About box: frameless, 311 × 156, dragged by its title strip, shown
// modally at the centre of the main window and hidden again when closed.
class TForm_About : public QDialog {
    Q_OBJECT
public:
    explicit TForm_About(QWidget *parent = nullptr);

    TitleDrag &titleDrag() { return m_drag; }

    void SpeedButton_OKClick() { close(); }
    void Image_CloseClick() { close(); }
    void Image_TarvoClick();
    void Image_TopMouseDown(Qt::MouseButton button, QPoint pos);
    void Image_TopMouseMove(QPoint pos);
    void Image_TopMouseUp();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TitleDrag m_drag;
    QLabel *m_imageTop = nullptr;
};
