#pragma once

#include <QObject>

class CategoryBrowser;
class EffectHost;
class QFileDialog;
class QPlainTextEdit;
class QWidget;

// Preview, copy and save of the effect the code pane shows. With a generator
// shown, each command first asks it for fresh code.
class EffectOutput : public QObject {
    Q_OBJECT
public:
    // The save dialog is made on the first save, as a child of dialogParent.
    EffectOutput(EffectHost *host, CategoryBrowser *browser, QPlainTextEdit *code,
                 QWidget *dialogParent, QObject *parent = nullptr);

    void SpeedButton_PreviewClick();
    void SpeedButton_CopyClick();
    void SpeedButton_SaveClick();

    // Puts the active generator's code into the code pane, if a generator is
    // loaded and shown; otherwise leaves the pane alone.
    void FetchGeneratedCode();

private:
    QFileDialog *SaveDialog();
    void CopyResources(const QString &pageFolder, const QString &target);

    EffectHost *m_host;
    CategoryBrowser *m_browser;
    QPlainTextEdit *m_code;
    QWidget *m_dialogParent;
    QFileDialog *m_saveDialog = nullptr;
};
