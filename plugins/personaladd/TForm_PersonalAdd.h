#pragma once

#include "PersonalCatalogue.h"
#include "PersonalCodeFolder.h"
#include "PersonalEntry.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QToolButton;

// The personal effects box: the list of the user's own effects and an editor
// for one of them (caption, code, the image files it needs). Every change is
// written to the personal catalogue at once, so the Personal category lists
// exactly what the box shows once it is closed.
class TForm_PersonalAdd : public QWidget {
public:
    // `programFolder` ends with "/"; the catalogue and the code files are
    // found under it.
    explicit TForm_PersonalAdd(const QString &programFolder, QWidget *parent = nullptr);

    // Makes `parent` the form's parent, keeps the form filling it, reads the
    // catalogue afresh and shows the form.
    void ShowIn(QWidget *parent);
    // Hides the form and stops following the parent's size.
    void CloseIn();

    // Event handlers of the form's controls.
    void ListBox_EfxClick();
    void SpeedButton_NewEfxClick();
    void SpeedButton_SaveEfxClick();
    void SpeedButton_DelEfxClick();
    void SpeedButton_MoveUpClick();
    void SpeedButton_MoveDownClick();
    void SpeedButton_ImportClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void connectHandlers();
    QToolButton *addSpeedButton(const char *name, const char *text);

    void reload();
    // Refills the entry list, selecting `row` (-1 for none) without loading
    // it into the editor.
    void fillList(int row);
    // Lists the files of the images folder, and any of `checked` missing
    // there, with the names of `checked` ticked.
    void fillImages(const QStringList &checked);
    // Loads the entry at `row` into the editor; -1 empties it for a new one.
    void showEntry(int row);
    void updateButtons();
    int selectedRow() const;
    QStringList checkedImages() const;
    void moveSelected(int step);
    // Writes `entries` to the catalogue; on failure shows why and keeps the
    // entries the box had.
    bool commit(const QVector<PersonalEntry> &entries);
    QStringList targetsOf(const QVector<PersonalEntry> &entries) const;
    void report(const QString &message) const;

    QString m_programFolder;
    PersonalCatalogue m_catalogue;
    PersonalCodeFolder m_codeFolder;
    QVector<PersonalEntry> m_entries;
    // The entry shown in the editor (-1: a new one) and its code as the
    // editor showed it, to tell whether the user changed it.
    int m_shownRow = -1;
    QString m_shownCode;
    QStringList m_shownImages;
    bool m_filling = false;

    QListWidget *ListBox_Efx = nullptr;
    QToolButton *SpeedButton_MoveUp = nullptr;
    QToolButton *SpeedButton_MoveDown = nullptr;
    QLineEdit *Edit_Caption = nullptr;
    QPlainTextEdit *Memo_Code = nullptr;
    QToolButton *SpeedButton_Import = nullptr;
    QLabel *Label_File = nullptr;
    QListWidget *ListBox_Images = nullptr;
    QToolButton *SpeedButton_NewEfx = nullptr;
    QToolButton *SpeedButton_SaveEfx = nullptr;
    QToolButton *SpeedButton_DelEfx = nullptr;
};
