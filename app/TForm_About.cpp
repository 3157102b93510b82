#include "app/TForm_About.h"

#include "app/Pictures.h"
#include "app/QuillaryApplication.h"
#include "platform/DesktopShell.h"
#include "platform/MakerLinks.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>
#include <QUrl>

namespace {

QLabel *ShadowLabel(QWidget *parent, const char *name, const QRect &geometry, const QString &text,
                    const QColor &color) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(QuillaryApplication::SongFont(14));
    label->move(geometry.topLeft());
    label->adjustSize();
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
    return label;
}

} // namespace

TForm_About::TForm_About(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form_About"));
    setWindowTitle(QStringLiteral("关于本软件"));
    setFont(QuillaryApplication::SongFont(12));
    setFixedSize(311, 156);
    setModal(true);

    auto *shape = new QFrame(this);
    shape->setObjectName(QStringLiteral("Shape1"));
    shape->setGeometry(0, 0, 311, 156);
    shape->setStyleSheet(
        QStringLiteral("#Shape1 { background: #DDDDDD; border: 1px solid black; }"));

    m_imageTop = new QLabel(this);
    m_imageTop->setObjectName(QStringLiteral("Image_Top"));
    m_imageTop->setGeometry(0, 0, 311, 25);
    m_imageTop->setPixmap(Picture(QStringLiteral("about-title")));
    m_imageTop->setCursor(Qt::SizeAllCursor);
    m_imageTop->installEventFilter(this);

    auto *closeArea = new QToolButton(this);
    closeArea->setObjectName(QStringLiteral("Image_Close"));
    closeArea->setGeometry(287, 2, 20, 19);
    closeArea->setCursor(Qt::PointingHandCursor);
    closeArea->setToolTip(QStringLiteral("关闭"));
    closeArea->setStyleSheet(
        QStringLiteral("QToolButton { border: none; background: transparent; }"));
    connect(closeArea, &QToolButton::clicked, this, &TForm_About::Image_CloseClick);

    auto *logo = new QToolButton(this);
    logo->setObjectName(QStringLiteral("Image_Tarvo"));
    logo->setGeometry(13, 35, 123, 65);
    logo->setIcon(PictureIcon(QStringLiteral("about-logo")));
    logo->setIconSize(QSize(123, 65));
    logo->setCursor(Qt::PointingHandCursor);
    logo->setToolTip(QStringLiteral("禾川软件让你开心赚美圆"));
    logo->setStyleSheet(QStringLiteral("QToolButton { border: none; background: transparent; }"));
    connect(logo, &QToolButton::clicked, this, &TForm_About::Image_TarvoClick);

    ShadowLabel(this, "Label1", {160, 48, 119, 14}, QStringLiteral("妙码工坊4.0版"),
                QColor(0x80, 0x40, 0x40));

    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setGeometry(4, 104, 305, 9);
    bevel->setStyleSheet(
        QStringLiteral("#Bevel1 { border: none; border-bottom: 1px solid #808080; }"));

    // Dark grey text with a white copy one pixel below and to the right.
    const QString maker = QStringLiteral("禾川软件 hechuan.example");
    ShadowLabel(this, "Label3", {16, 128, 126, 14}, maker, Qt::white);
    ShadowLabel(this, "Label4", {15, 127, 126, 14}, maker, QColor(73, 73, 73));

    auto *ok = new QToolButton(this);
    ok->setObjectName(QStringLiteral("SpeedButton_OK"));
    ok->setGeometry(212, 116, 89, 33);
    ok->setAutoRaise(true);
    ok->setText(QStringLiteral(" 确定(&O)"));
    ok->setIcon(PictureIcon(QStringLiteral("ok")));
    ok->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ok->setStyleSheet(
        QStringLiteral("QToolButton { border: 1px solid transparent; background: transparent; }"
                       "QToolButton:hover { border: 1px solid #6F8FC8; background: #E4EBF7; }"));
    connect(ok, &QToolButton::clicked, this, &TForm_About::SpeedButton_OKClick);
}

void TForm_About::Image_TarvoClick() {
    platform::ShellOpenUrl(QUrl(QString::fromLatin1(platform::MakerHomePage)));
}

void TForm_About::Image_TopMouseDown(Qt::MouseButton button, QPoint pos) {
    m_drag.MouseDown(this, button == Qt::LeftButton, pos);
}

void TForm_About::Image_TopMouseMove(QPoint pos) {
    m_drag.MouseMove(this, pos);
}

void TForm_About::Image_TopMouseUp() {
    m_drag.MouseUp();
}

bool TForm_About::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_imageTop && DispatchTitleMouse(this, m_imageTop, event))
        return true;
    return QDialog::eventFilter(watched, event);
}
