#pragma once

#include "support/ProgramFolderFixture.h"

#include <QString>
#include <QStringList>

#include <memory>

class TForm_Main;
class QAbstractButton;
class QAction;
class QPlainTextEdit;

// A temporary program folder with the test plug-ins installed and the real
// main window on it; plug-in calls are logged to a file the test reads.
class MainWindowFixture : public ProgramFolderFixture {
public:
    MainWindowFixture();
    ~MainWindowFixture();

    // Creates (or re-creates) the window after the catalogue is written.
    TForm_Main *open();
    TForm_Main *form() const { return m_form.get(); }
    void close();

    QPlainTextEdit *code() const;
    QAbstractButton *button(const char *name) const;
    QAction *action(const char *name) const;
    void clickCategory(const char *buttonName) const;
    void select(int row) const; // 0-based, as a click would
    QString codeText() const;

    // The plug-in calls logged since the last call.
    QStringList takePluginLog();

    // Answers the next save dialog the way a user would: goes to the folder
    // of `path`, types its file name and accepts; cancels when `path` is
    // empty. What the dialog looked like is kept in saveDialog().
    struct SaveDialogSeen {
        int shown = 0;
        QString objectName;
        QStringList nameFilters;
        bool stayedOpen = false; // the typed name led into a folder
    };
    void answerSaveDialog(const QString &path);
    const SaveDialogSeen &saveDialog() const { return m_saveDialog; }

private:
    std::unique_ptr<TForm_Main> m_form;
    QString m_log;
    SaveDialogSeen m_saveDialog;
};
