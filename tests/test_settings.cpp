// Code font, background colour, the About box, help and the maker's links,
// through the real dialogs and forms.
#include "app/TForm_About.h"
#include "app/TForm_Main.h"
#include "platform/MakerLinks.h"
#include "support/ProgramFolderFixture.h"
#include "support/UrlRecorder.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFontDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void fontDialogStartsWithItsOwnFontThenTheLastChosen();
    void colourDialogChangesTheBackground();
    void aboutBoxLayout();
    void aboutBoxShowsCentredAndCloses();
    void aboutBoxDrag();
    void linksOpenHomePageAndMail();
    void helpWithoutItsFileDoesNothing();

private:
    // Runs `answer` on the next modal dialog of type T, once it is shown.
    template <typename T> void onDialog(std::function<void(T *)> answer);
    QPlainTextEdit *code() const {
        return m_form->findChild<QPlainTextEdit *>(QStringLiteral("RichEdit_Code"));
    }
    void trigger(const char *name) {
        m_form->findChild<QAction *>(QString::fromLatin1(name))->trigger();
    }

    std::unique_ptr<ProgramFolderFixture> m_folder;
    std::unique_ptr<TForm_Main> m_form;
    std::unique_ptr<TForm_About> m_about;
    UrlRecorder m_links{
        {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("mailto")}};
};

template <typename T> void TestSettings::onDialog(std::function<void(T *)> answer) {
    auto *timer = new QTimer(m_form.get());
    timer->setInterval(10);
    connect(timer, &QTimer::timeout, m_form.get(), [timer, answer] {
        T *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        answer(dialog);
    });
    timer->start();
}

void TestSettings::init() {
    m_folder = std::make_unique<ProgramFolderFixture>();
    m_form = std::make_unique<TForm_Main>();
    m_about = std::make_unique<TForm_About>();
    m_form->SetAboutBox(m_about.get());
    m_form->show();
    m_links.urls.clear();
}

void TestSettings::cleanup() {
    m_about.reset();
    m_form.reset();
    m_folder.reset();
}

void TestSettings::fontDialogStartsWithItsOwnFontThenTheLastChosen() {
    const QFont before = code()->font();
    QFont offered;
    // First time: the dialog's own font, not the code pane's.
    onDialog<QFontDialog>([&](QFontDialog *d) {
        offered = d->currentFont();
        d->reject();
    });
    trigger("Set_Font");
    // MS Sans Serif at 8 points, as near as this system's fonts come to it.
    QCOMPARE(offered.pointSize(), 8);
    QVERIFY(offered.family().contains(QLatin1String("Sans Serif")));
    QVERIFY(offered.family() != QFontInfo(before).family());
    QCOMPARE(code()->font(), before); // cancelled: nothing changes

    QFont chosen(QStringLiteral("DejaVu Sans"), 15);
    onDialog<QFontDialog>([&](QFontDialog *d) {
        d->setCurrentFont(chosen);
        d->accept();
    });
    trigger("Set_Font");
    QCOMPARE(QFontInfo(code()->font()).pointSize(), 15);
    // Drawn smoothed, not with the form's bitmap Song strategy it sits in.
    QVERIFY(!(code()->font().styleStrategy() & QFont::NoAntialias));

    // Next time the dialog offers the font chosen last.
    onDialog<QFontDialog>([&](QFontDialog *d) {
        offered = d->currentFont();
        d->reject();
    });
    trigger("Set_Font");
    QCOMPARE(offered.pointSize(), 15);
    QCOMPARE(QFontInfo(code()->font()).pointSize(), 15);

    // A new window starts from the design values again: nothing was stored.
    m_form = std::make_unique<TForm_Main>();
    QCOMPARE(QFontInfo(code()->font()).pixelSize(), 12);
}

void TestSettings::colourDialogChangesTheBackground() {
    const QColor design(0xE6, 0xE6, 0xFF);
    QColor offered;
    onDialog<QColorDialog>([&](QColorDialog *d) {
        offered = d->currentColor();
        d->setCurrentColor(Qt::green);
        d->reject();
    });
    trigger("Set_Color");
    QCOMPARE(offered, QColor(Qt::black));
    QCOMPARE(code()->palette().color(QPalette::Base), design);

    onDialog<QColorDialog>([&](QColorDialog *d) {
        d->setCurrentColor(QColor(0x12, 0x34, 0x56));
        d->accept();
    });
    trigger("Set_Color");
    QCOMPARE(code()->palette().color(QPalette::Base), QColor(0x12, 0x34, 0x56));

    // It opens on the colour chosen last, even after a cancelled change.
    onDialog<QColorDialog>([&](QColorDialog *d) {
        offered = d->currentColor();
        d->setCurrentColor(Qt::red);
        d->reject();
    });
    trigger("Set_Color");
    onDialog<QColorDialog>([&](QColorDialog *d) {
        offered = d->currentColor();
        d->reject();
    });
    trigger("Set_Color");
    QCOMPARE(offered, QColor(0x12, 0x34, 0x56));
    QCOMPARE(code()->palette().color(QPalette::Base), QColor(0x12, 0x34, 0x56));
}

void TestSettings::aboutBoxLayout() {
    TForm_About *about = m_about.get();
    QCOMPARE(about->objectName(), QStringLiteral("Form_About"));
    QVERIFY(about->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(about->size(), QSize(311, 156));
    QVERIFY(!about->isVisible());
    const struct {
        const char *name;
        QRect geometry;
    } controls[] = {{"Shape1", {0, 0, 311, 156}},      {"Image_Top", {0, 0, 311, 25}},
                    {"Image_Close", {287, 2, 20, 19}}, {"Image_Tarvo", {13, 35, 123, 65}},
                    {"Bevel1", {4, 104, 305, 9}},      {"SpeedButton_OK", {212, 116, 89, 33}}};
    for (const auto &c : controls) {
        QWidget *w = about->findChild<QWidget *>(QString::fromLatin1(c.name));
        QVERIFY2(w, c.name);
        QCOMPARE(w->geometry(), c.geometry);
    }
    auto *label1 = about->findChild<QLabel *>(QStringLiteral("Label1"));
    QCOMPARE(label1->text(), QStringLiteral("妙码工坊4.0版"));
    QCOMPARE(label1->pos(), QPoint(160, 48));
    // The shadow text: the dark copy one pixel up and left of the white one.
    auto *label3 = about->findChild<QLabel *>(QStringLiteral("Label3"));
    auto *label4 = about->findChild<QLabel *>(QStringLiteral("Label4"));
    QCOMPARE(label3->text(), label4->text());
    QVERIFY(label3->text().startsWith(QStringLiteral("禾川软件 ")));
    QCOMPARE(label3->pos(), QPoint(16, 128));
    QCOMPARE(label4->pos(), QPoint(15, 127));
    QCOMPARE(label3->palette().color(QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(label4->palette().color(QPalette::WindowText), QColor(73, 73, 73));
    QVERIFY(about->children().indexOf(label4) > about->children().indexOf(label3)); // drawn over it
    QCOMPARE(about->findChild<QToolButton *>(QStringLiteral("SpeedButton_OK"))->text(),
             QStringLiteral(" 确定(&O)"));
    QCOMPARE(about->findChild<QWidget *>(QStringLiteral("Image_Tarvo"))->toolTip(),
             QStringLiteral("禾川软件让你开心赚美圆"));
}

void TestSettings::aboutBoxShowsCentredAndCloses() {
    m_form->move(120, 90);
    for (const char *closer : {"SpeedButton_OK", "Image_Close"}) {
        QPoint centre;
        onDialog<TForm_About>([&](TForm_About *about) {
            centre = about->frameGeometry().center();
            QTest::mouseClick(about->findChild<QToolButton *>(QString::fromLatin1(closer)),
                              Qt::LeftButton);
        });
        trigger("About_Me");
        QVERIFY(!m_about->isVisible());
        QVERIFY((centre - m_form->frameGeometry().center()).manhattanLength() <= 2);
    }
}

void TestSettings::aboutBoxDrag() {
    TForm_About *about = m_about.get();
    about->show();
    about->move(200, 150);
    QWidget *strip = about->findChild<QWidget *>(QStringLiteral("Image_Top"));
    // A right press and move does not move the box.
    QTest::mousePress(strip, Qt::RightButton, {}, QPoint(40, 10));
    QTest::mouseMove(strip, QPoint(70, 30));
    QCOMPARE(about->pos(), QPoint(200, 150));
    QTest::mouseRelease(strip, Qt::RightButton, {}, QPoint(70, 30));
    // A left drag moves it by the distance the mouse moved.
    QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(40, 10));
    QTest::mouseMove(strip, QPoint(55, 18));
    QCOMPARE(about->pos(), QPoint(215, 158));
    QTest::mouseMove(strip, QPoint(45, 8)); // relative to the box where it is now
    QCOMPARE(about->pos(), QPoint(220, 156));
    QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(45, 8));
    QVERIFY(!about->titleDrag().Dragging);
    // After the release it stays where it was last moved.
    QTest::mouseMove(strip, QPoint(90, 20));
    QCOMPARE(about->pos(), QPoint(220, 156));
    about->hide();
}

void TestSettings::linksOpenHomePageAndMail() {
    const QUrl home(QString::fromLatin1(platform::MakerHomePage));
    const QUrl mail(QStringLiteral("mailto:") + QString::fromLatin1(platform::MakerMailbox));
    QTest::mouseClick(m_form->findChild<QToolButton *>(QStringLiteral("Image_Tarvo")),
                      Qt::LeftButton);
    QTest::mouseClick(m_form->findChild<QToolButton *>(QStringLiteral("SpeedButton_HomePage")),
                      Qt::LeftButton);
    trigger("Tarvo_Homepage");
    QTest::mouseClick(m_about->findChild<QToolButton *>(QStringLiteral("Image_Tarvo")),
                      Qt::LeftButton);
    QCOMPARE(m_links.urls, (QList<QUrl>{home, home, home, home}));
    m_links.urls.clear();
    QTest::mouseClick(m_form->findChild<QToolButton *>(QStringLiteral("SpeedButton_Email")),
                      Qt::LeftButton);
    trigger("Write_Mail");
    QCOMPARE(m_links.urls, (QList<QUrl>{mail, mail}));
    QVERIFY(home.host().endsWith(QLatin1String(".example")));
}

void TestSettings::helpWithoutItsFileDoesNothing() {
    // No ghelp.chm in the program folder: no window, no message.
    const int before = int(QApplication::topLevelWidgets().size());
    QTest::mouseClick(m_form->findChild<QToolButton *>(QStringLiteral("SpeedButton_Help")),
                      Qt::LeftButton);
    trigger("Soft_Help");
    QCOMPARE(int(QApplication::topLevelWidgets().size()), before);
    QVERIFY(m_folder->takeMessages().isEmpty());
}

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
