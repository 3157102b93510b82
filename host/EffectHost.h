#pragma once

#include "host/DynamicLibrary.h"

#include <quillary/PluginApi.h>

#include <QList>
#include <QObject>

class CategoryBrowser;
class QPlainTextEdit;
class QWidget;

// Turns a selection in the effect list into code in the code pane, or into a
// generator's form embedded in the code panel, and keeps the state of the one
// plug-in library that may be loaded at a time.
class EffectHost : public QObject {
    Q_OBJECT
public:
    // The code panel a plug-in embeds its form in, the code pane beneath it,
    // and the six output controls (three buttons, three menu items).
    EffectHost(CategoryBrowser *browser, QWidget *panelCode, QPlainTextEdit *code,
               QList<QObject *> outputControls, QObject *parent = nullptr);
    ~EffectHost() override;

    // Host state, read and changed by the output commands and the personal
    // effects box.
    bool PluginActive = false;
    bool CurrentEffectIsPlugin = false;
    int LastEffectIndex = -1;
    DynamicLibrary PluginLibrary;
    quillary::ShowFormFn PluginShowForm = nullptr;
    quillary::CloseFormFn PluginCloseForm = nullptr;
    quillary::OutputCodeFn PluginOutputCode = nullptr;

    void ListView_EfxNameChange();
    void LoadSelectedEffect();
    void UnloadPlugin();
    void FormDestroy();
    void Personal_EfxClick();

    // Replaces the code pane's text with a GB2312 page or code file's text.
    static void SetCodeText(QPlainTextEdit *code, const QString &text);
    void SetOutputEnabled(bool enabled);
    void AddOutputControls(const QList<QObject *> &controls) { m_outputControls += controls; }

    QWidget *panelCode() const { return m_panelCode; }
    QPlainTextEdit *codePane() const { return m_code; }

private:
    bool LoadCodeFile(const QString &path);
    bool CallShowForm();
    void ShowLoadError();

    CategoryBrowser *m_browser;
    QWidget *m_panelCode;
    QPlainTextEdit *m_code;
    QList<QObject *> m_outputControls;
};
