#include "TForm_PersonalAdd.h"

#include "platform/AppMessageBox.h"
#include "platform/FileNames.h"
#include "platform/Gb2312.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSet>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Every text the form shows or hands on is built at run time: nothing may
// point into the library's own memory once it is unloaded.
QString txt(const char *utf8) {
    return QString::fromUtf8(utf8);
}

QString BoxCaption() {
    return txt("个人特效箱");
}

// The preview page the main program rewrites in the images folder is no
// effect's image.
bool IsPreviewPage(const QString &name) {
    return name.compare(txt("example.htm"), Qt::CaseInsensitive) == 0;
}

// A name the catalogue can hold as one of an entry's image fields.
bool StorableImageName(const QString &name) {
    return platform::IsPlainFileName(name) &&
           PersonalEntry::Refusal(txt("x"), {name}, QString()).isEmpty();
}

} // namespace

TForm_PersonalAdd::TForm_PersonalAdd(const QString &programFolder, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint), m_programFolder(programFolder),
      m_catalogue(programFolder), m_codeFolder(programFolder) {
    setObjectName(txt("Form_PersonalAdd"));
    resize(486, 374);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xDD, 0xDD, 0xDD));
    setPalette(pal);
    setAutoFillBackground(true);
    QFont f;
    f.setFamily(txt("宋体"));
    f.setPixelSize(12);
    setFont(f);

    buildLayout();
    connectHandlers();
    updateButtons();
}

QToolButton *TForm_PersonalAdd::addSpeedButton(const char *name, const char *text) {
    auto *button = new QToolButton(this);
    button->setObjectName(txt(name));
    button->setText(txt(text));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setMinimumHeight(22);
    return button;
}

void TForm_PersonalAdd::buildLayout() {
    auto *labelList = new QLabel(txt("我的特效："), this);
    labelList->setObjectName(txt("Label_List"));
    ListBox_Efx = new QListWidget(this);
    ListBox_Efx->setObjectName(txt("ListBox_Efx"));
    ListBox_Efx->setSelectionMode(QAbstractItemView::SingleSelection);
    SpeedButton_MoveUp = addSpeedButton("SpeedButton_MoveUp", "上移");
    SpeedButton_MoveDown = addSpeedButton("SpeedButton_MoveDown", "下移");

    auto *left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(labelList);
    left->addWidget(ListBox_Efx, 1);
    auto *moves = new QHBoxLayout;
    moves->addWidget(SpeedButton_MoveUp);
    moves->addWidget(SpeedButton_MoveDown);
    moves->addStretch(1);
    left->addLayout(moves);

    auto *labelCaption = new QLabel(txt("名称："), this);
    labelCaption->setObjectName(txt("Label_Caption"));
    Edit_Caption = new QLineEdit(this);
    Edit_Caption->setObjectName(txt("Edit_Caption"));

    auto *labelCode = new QLabel(txt("代码："), this);
    labelCode->setObjectName(txt("Label_Code"));
    SpeedButton_Import = addSpeedButton("SpeedButton_Import", "从文件导入...");
    Memo_Code = new QPlainTextEdit(this);
    Memo_Code->setObjectName(txt("Memo_Code"));
    Memo_Code->setLineWrapMode(QPlainTextEdit::NoWrap);
    Label_File = new QLabel(this);
    Label_File->setObjectName(txt("Label_File"));
    Label_File->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label_File->setMinimumWidth(1);

    auto *labelImages = new QLabel(txt("所需图片（images 文件夹）："), this);
    labelImages->setObjectName(txt("Label_Images"));
    ListBox_Images = new QListWidget(this);
    ListBox_Images->setObjectName(txt("ListBox_Images"));
    ListBox_Images->setSelectionMode(QAbstractItemView::NoSelection);

    SpeedButton_NewEfx = addSpeedButton("SpeedButton_NewEfx", "新建");
    SpeedButton_SaveEfx = addSpeedButton("SpeedButton_SaveEfx", "保存");
    SpeedButton_DelEfx = addSpeedButton("SpeedButton_DelEfx", "删除");

    auto *right = new QGridLayout;
    right->setSpacing(4);
    right->addWidget(labelCaption, 0, 0);
    right->addWidget(Edit_Caption, 0, 1, 1, 2);
    right->addWidget(labelCode, 1, 0);
    right->addWidget(SpeedButton_Import, 1, 2, Qt::AlignRight);
    right->addWidget(Memo_Code, 2, 0, 1, 3);
    right->addWidget(Label_File, 3, 0, 1, 3);
    right->addWidget(labelImages, 4, 0, 1, 3);
    right->addWidget(ListBox_Images, 5, 0, 1, 3);
    auto *commands = new QHBoxLayout;
    commands->addStretch(1);
    commands->addWidget(SpeedButton_NewEfx);
    commands->addWidget(SpeedButton_SaveEfx);
    commands->addWidget(SpeedButton_DelEfx);
    right->addLayout(commands, 6, 0, 1, 3);
    right->setRowStretch(2, 3);
    right->setRowStretch(5, 1);
    right->setColumnStretch(1, 1);

    auto *main = new QHBoxLayout(this);
    main->setContentsMargins(8, 8, 8, 8);
    main->setSpacing(8);
    main->addLayout(left, 2);
    main->addLayout(right, 5);
}

void TForm_PersonalAdd::connectHandlers() {
    using F = TForm_PersonalAdd;
    connect(ListBox_Efx, &QListWidget::itemSelectionChanged, this, &F::ListBox_EfxClick);
    connect(SpeedButton_NewEfx, &QToolButton::clicked, this, &F::SpeedButton_NewEfxClick);
    connect(SpeedButton_SaveEfx, &QToolButton::clicked, this, &F::SpeedButton_SaveEfxClick);
    connect(SpeedButton_DelEfx, &QToolButton::clicked, this, &F::SpeedButton_DelEfxClick);
    connect(SpeedButton_MoveUp, &QToolButton::clicked, this, &F::SpeedButton_MoveUpClick);
    connect(SpeedButton_MoveDown, &QToolButton::clicked, this, &F::SpeedButton_MoveDownClick);
    connect(SpeedButton_Import, &QToolButton::clicked, this, &F::SpeedButton_ImportClick);
}

void TForm_PersonalAdd::ShowIn(QWidget *parent) {
    QWidget *previous = parentWidget();
    if (previous && previous != parent)
        previous->removeEventFilter(this);
    if (previous != parent)
        setParent(parent);
    if (parent) {
        parent->installEventFilter(this);
        setGeometry(parent->rect());
    }
    reload();
    raise();
    show();
}

void TForm_PersonalAdd::CloseIn() {
    if (QWidget *parent = parentWidget())
        parent->removeEventFilter(this);
    hide();
}

bool TForm_PersonalAdd::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Resize && watched == parentWidget())
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void TForm_PersonalAdd::reload() {
    m_entries = m_catalogue.read();
    fillList(-1);
    showEntry(-1);
}

void TForm_PersonalAdd::fillList(int row) {
    m_filling = true;
    ListBox_Efx->clear();
    for (const PersonalEntry &entry : std::as_const(m_entries))
        ListBox_Efx->addItem(entry.caption());
    if (row >= 0 && row < ListBox_Efx->count())
        ListBox_Efx->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    else
        ListBox_Efx->setCurrentRow(-1, QItemSelectionModel::Clear);
    m_filling = false;
    updateButtons();
}

void TForm_PersonalAdd::fillImages(const QStringList &checked) {
    ListBox_Images->clear();
    QStringList names;
    const QDir images(m_programFolder + txt("images"));
    const QStringList files =
        images.entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : files) {
        if (!IsPreviewPage(name) && StorableImageName(name))
            names.append(name);
    }
    for (const QString &name : names) {
        auto *item = new QListWidgetItem(name, ListBox_Images);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(checked.contains(name) ? Qt::Checked : Qt::Unchecked);
    }
    // Names the entry lists that the folder lacks stay ticked, so saving
    // does not drop them; Save simply skips an image it cannot find.
    for (const QString &name : checked) {
        if (name.isEmpty() || names.contains(name))
            continue;
        auto *item = new QListWidgetItem(name, ListBox_Images);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        item->setForeground(Qt::gray);
        item->setToolTip(txt("images 文件夹里没有这个文件"));
        names.append(name);
    }
}

void TForm_PersonalAdd::showEntry(int row) {
    m_shownRow = row >= 0 && row < m_entries.size() ? row : -1;
    if (m_shownRow < 0) {
        Edit_Caption->clear();
        Memo_Code->clear();
        m_shownImages.clear();
        Label_File->setText(txt("代码文件：保存时在 personal 文件夹中新建"));
        Label_File->setToolTip(QString());
    } else {
        const PersonalEntry &entry = m_entries.at(m_shownRow);
        Edit_Caption->setText(entry.caption());
        const QString target = entry.target();
        const std::optional<QString> code = m_codeFolder.ReadCode(target);
        Memo_Code->setPlainText(code.value_or(QString()));
        m_shownImages = entry.resources();
        const QString where = QDir::toNativeSeparators(m_codeFolder.Resolve(target));
        if (!code)
            Label_File->setText(txt("代码文件（无法读取）：") + where);
        else if (m_codeFolder.Owns(target))
            Label_File->setText(txt("代码文件：") + where);
        else
            Label_File->setText(txt("代码文件（特效箱以外）：") + where);
        Label_File->setToolTip(where);
    }
    // Compared with what the editor gives back, not with the file: the
    // editor may normalise some characters.
    m_shownCode = Memo_Code->toPlainText();
    fillImages(m_shownImages);
    updateButtons();
}

void TForm_PersonalAdd::updateButtons() {
    const int row = selectedRow();
    SpeedButton_DelEfx->setEnabled(row >= 0);
    SpeedButton_MoveUp->setEnabled(row > 0);
    SpeedButton_MoveDown->setEnabled(row >= 0 && row + 1 < m_entries.size());
}

int TForm_PersonalAdd::selectedRow() const {
    const QList<QListWidgetItem *> selected = ListBox_Efx->selectedItems();
    if (selected.size() != 1)
        return -1;
    return ListBox_Efx->row(selected.first());
}

QStringList TForm_PersonalAdd::checkedImages() const {
    QStringList ticked;
    for (int i = 0; i < ListBox_Images->count(); ++i) {
        const QListWidgetItem *item = ListBox_Images->item(i);
        if (item->checkState() == Qt::Checked)
            ticked.append(item->text());
    }
    // The entry's own images keep their order; newly ticked ones follow in
    // the order of the list.
    QStringList result;
    for (const QString &name : std::as_const(m_shownImages)) {
        if (ticked.contains(name) && !result.contains(name))
            result.append(name);
    }
    for (const QString &name : std::as_const(ticked)) {
        if (!result.contains(name))
            result.append(name);
    }
    return result;
}

QStringList TForm_PersonalAdd::targetsOf(const QVector<PersonalEntry> &entries) const {
    QStringList targets;
    for (const PersonalEntry &entry : entries)
        targets.append(entry.target());
    return targets;
}

void TForm_PersonalAdd::report(const QString &message) const {
    platform::AppMessageBox(message, BoxCaption(), platform::MB_ICONSTOP_OK);
}

bool TForm_PersonalAdd::commit(const QVector<PersonalEntry> &entries) {
    QString error;
    if (m_catalogue.write(entries, &error))
        return true;
    report(txt("无法保存个人特效目录 %1：\n%2\n目录中原有的特效没有改变。")
               .arg(QDir::toNativeSeparators(m_catalogue.path()), error));
    return false;
}

void TForm_PersonalAdd::ListBox_EfxClick() {
    if (m_filling)
        return;
    showEntry(selectedRow());
}

void TForm_PersonalAdd::SpeedButton_NewEfxClick() {
    fillList(-1);
    showEntry(-1);
    Edit_Caption->setFocus();
}

void TForm_PersonalAdd::SpeedButton_SaveEfxClick() {
    const int row = m_shownRow;
    const QString caption = Edit_Caption->text();
    const QStringList images = checkedImages();
    const QString code = Memo_Code->toPlainText();
    const QString oldTarget = row >= 0 ? m_entries.at(row).target() : QString();

    // A new effect, or new code for one, goes into a new file of the
    // personal folder; the old file goes only once the catalogue no longer
    // names it, so a failure at any step leaves everything as it was.
    const bool newFile = row < 0 || code != m_shownCode;
    const QString target = newFile ? m_codeFolder.NewCodeFilePath() : oldTarget;
    const QString refusal = PersonalEntry::Refusal(caption, images, target);
    if (!refusal.isEmpty()) {
        report(refusal);
        return;
    }
    if (row >= 0 && newFile && !oldTarget.isEmpty() && !m_codeFolder.Owns(oldTarget)) {
        // The user's own file elsewhere is never written.
        const QString question =
            txt("这条特效的代码在特效箱以外的文件中：\n%1\n特效箱不会改动这个文件。"
                "要把修改后的代码另存一份到特效箱中，让这条特效改用它吗？")
                .arg(QDir::toNativeSeparators(m_codeFolder.Resolve(oldTarget)));
        if (platform::AppMessageBox(question, BoxCaption(), platform::MB_QUESTION_YESNO) !=
            platform::ID_YES)
            return;
    }
    QString error;
    if (newFile && !m_codeFolder.WriteCodeFile(target, code, &error)) {
        report(txt("无法保存特效代码 %1：\n%2\n个人特效没有改变。")
                   .arg(QDir::toNativeSeparators(target), error));
        return;
    }

    QVector<PersonalEntry> entries = m_entries;
    const PersonalEntry entry = PersonalEntry::Compose(caption, images, target);
    const int savedRow = row >= 0 ? row : int(entries.size());
    if (row >= 0)
        entries[row] = entry;
    else
        entries.append(entry);
    if (!commit(entries)) {
        if (newFile)
            QFile::remove(target);
        return;
    }
    if (newFile && row >= 0)
        m_codeFolder.RemoveCodeFile(oldTarget, targetsOf(entries));
    m_entries = entries;
    fillList(savedRow);
    showEntry(savedRow);
}

void TForm_PersonalAdd::SpeedButton_DelEfxClick() {
    const int row = selectedRow();
    if (row < 0)
        return;
    const QString question = txt("确定要删除个人特效“%1”吗？").arg(m_entries.at(row).caption());
    if (platform::AppMessageBox(question, BoxCaption(), platform::MB_QUESTION_YESNO) !=
        platform::ID_YES)
        return;
    QVector<PersonalEntry> entries = m_entries;
    const PersonalEntry removed = entries.takeAt(row);
    if (!commit(entries))
        return;
    m_codeFolder.RemoveCodeFile(removed.target(), targetsOf(entries));
    m_entries = entries;
    fillList(-1);
    showEntry(-1);
}

void TForm_PersonalAdd::SpeedButton_MoveUpClick() {
    moveSelected(-1);
}

void TForm_PersonalAdd::SpeedButton_MoveDownClick() {
    moveSelected(1);
}

void TForm_PersonalAdd::moveSelected(int step) {
    const int row = selectedRow();
    const int other = row + step;
    if (row < 0 || other < 0 || other >= m_entries.size())
        return;
    QVector<PersonalEntry> entries = m_entries;
    entries.swapItemsAt(row, other);
    if (!commit(entries))
        return;
    m_entries = entries;
    // The editor keeps what it shows, unsaved changes included; only its
    // place in the list moves.
    if (m_shownRow == row)
        m_shownRow = other;
    else if (m_shownRow == other)
        m_shownRow = row;
    fillList(other);
}

void TForm_PersonalAdd::SpeedButton_ImportClick() {
    QFileDialog dialog(this, txt("选择特效代码文件"), m_programFolder);
    dialog.setObjectName(txt("OpenDialog_Code"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({txt("网页文件 (*.htm *.html)"), txt("所有文件 (*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    const std::optional<QByteArray> bytes =
        platform::ReadRegularFile(path, platform::MaxCodeFileBytes);
    if (!bytes) {
        report(txt("无法读取文件 %1。").arg(QDir::toNativeSeparators(path)));
        return;
    }
    QString code = platform::fromGb(*bytes);
    code.replace(txt("\r\n"), txt("\n"));
    code.replace(u'\r', u'\n');
    Memo_Code->setPlainText(code);
    if (Edit_Caption->text().trimmed().isEmpty())
        Edit_Caption->setText(QFileInfo(path).completeBaseName());
}
