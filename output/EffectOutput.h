#pragma once

#include <QObject>

class CategoryBrowser;
class EffectHost;
class QFileDialog;
class QPlainTextEdit;

// Preview, copy and save of the effect the code pane shows. With a generator
// shown, each command first asks it for fresh code.
class EffectOutput : public QObject {
    Q_OBJECT
public:
    EffectOutput(EffectHost *host, CategoryBrowser *browser, QPlainTextEdit *code,
                 QFileDialog *saveDialog, QObject *parent = nullptr);

    void SpeedButton_PreviewClick();
    void SpeedButton_CopyClick();
    void SpeedButton_SaveClick();

    // Puts the active generator's code into the code pane, if a generator is
    // loaded and shown; otherwise leaves the pane alone.
    void FetchGeneratedCode();

private:
    void CopyResources(const QString &pageFolder, const QString &target);

    EffectHost *m_host;
    CategoryBrowser *m_browser;
    QPlainTextEdit *m_code;
    QFileDialog *m_saveDialog;
};
