#include "categories/qt/category_editor.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "categories/qt/category_names.h"
#include "categories/qt/guarded_category_files.h"
#include "categories/qt/stored_texts.h"
#include "platform/qt/drive_folder_chooser.h"
#include "platform/qt/drive_folder_memory.h"
#include "platform/qt/drive_list.h"
#include "platform/qt/folder_list.h"
#include "platform/qt/lossless_text.h"
#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/criteria_view.h"
#include "platform/qt/named_button.h"
#include "window/qt/services.h"
#include "platform/qt/control_tip.h"

namespace tessaly {

namespace {

// Enter belongs to OK alone: no other button takes it by having the focus.
QPushButton* button(QWidget* parent, const char* name, const char* caption, const char* tip) {
    QPushButton* created = namedButton(parent, name, caption, tip);
    created->setAutoDefault(false);
    return created;
}

void describe(QWidget* control, const char* name, const char* accessibleName, const char* tip) {
    control->setObjectName(QString::fromLatin1(name));
    control->setAccessibleName(QString::fromUtf8(accessibleName));
    if (tip) {
        setTip(control, QString::fromUtf8(tip));
    }
}

QString prompt() {
    return QString::fromLatin1(kNewCategoryPrompt);
}

// Only blanks: a tab is part of what was typed. Trailing blanks go too:
// the file's readers trim a header's name, so "[Fresh ]" would come back as
// "Fresh" and the Category typed as "Fresh " would show no folders.
QString withoutOuterBlanks(const QString& text) {
    qsizetype first = 0;
    while (first < text.size() && text[first] == QLatin1Char(' ')) ++first;
    qsizetype last = text.size();
    while (last > first && text[last - 1] == QLatin1Char(' ')) --last;
    return text.mid(first, last - first);
}

// A "]" in a name closes its header line early, so the Category would be
// listed under a cut name and could not be found again under its own; a line
// break would split the header in two.
bool fitsInHeaderLine(const QString& name) {
    return !name.contains(QLatin1Char(']')) && !name.contains(QLatin1Char('\n')) &&
           !name.contains(QLatin1Char('\r'));
}

bool listHolds(const QListWidget& list, const QString& text) {
    return !list.findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty();
}

}  // namespace

CategoryEditor::CategoryEditor(MainWindow& main, std::string dataFolder, Services& services,
                               DriveFolderMemory& memory, std::function<void()> loadCategory, QWidget* parent)
    : QDialog(parent),
      main_(main),
      dataFolder_(std::move(dataFolder)),
      services_(services),
      memory_(memory),
      loadCategory_(std::move(loadCategory)) {
    setObjectName(QStringLiteral("frmDir"));
    setWindowTitle(QString::fromLatin1(kCaption));
    setModal(true);
    buildControls();
    layOut();

    chooser_ = new DriveFolderChooser(*dirDrive, *dirDirectory, memory_, services_.boxes, this);
    connect(chooser_, &DriveFolderChooser::closeWindowRequested, this, &QDialog::reject);
    connect(chooser_, &DriveFolderChooser::endProgramRequested, this,
            [this] { services_.end.endNow(); });
    connect(dirDirectory, &FolderList::pathChanged, this,
            [this] { dirLblName->setText(textFromBytes(dirDirectory->path())); });
    connect(dirCat, &QComboBox::activated, this, &CategoryEditor::pickCategory);
    connect(dirNew, &QPushButton::clicked, this, &CategoryEditor::startNewCategory);
    connect(dirAdd, &QPushButton::clicked, this, &CategoryEditor::addFolder);
    connect(dirDel, &QPushButton::clicked, this, &CategoryEditor::removeFolder);
    connect(dirOK, &QPushButton::clicked, this, &CategoryEditor::save);
    connect(dirCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(dirList, &QListWidget::itemSelectionChanged, this, &CategoryEditor::updateRemoveButton);

    openStartFolder();
    dirLblName->setText(textFromBytes(dirDirectory->path()));
    dirDel->setEnabled(false);
    dirNew->setEnabled(false);
    setCategoryNames(*dirCat, categoryFiles().categoryNames());
    offerPrompt();
}

CategoryEditor::~CategoryEditor() = default;

void CategoryEditor::buildControls() {
    dirCat = new QComboBox(this);
    dirCat->setEditable(true);
    // The typed name becomes a Category on OK, not an entry of the list.
    dirCat->setInsertPolicy(QComboBox::NoInsert);
    describe(dirCat, "dirCat", "Category name", "Enter the name for the new category.");

    dirList = new QListWidget(this);
    describe(dirList, "dirList", "Folders of the category",
             "Directories included in this category.");

    dirDrive = new DriveList(this);
    describe(dirDrive, "dirDrive", "Drive", nullptr);

    dirDirectory = new FolderList(services_.files, this);
    describe(dirDirectory, "dirDirectory", "Folders",
             "Double-click to select a folder. Multiple folders in different drivers can be "
             "added.");

    dirLblName = new QLabel(this);
    dirLblName->setObjectName(QStringLiteral("dirLblName"));
    // A folder name is shown as it is, never read as markup.
    dirLblName->setTextFormat(Qt::PlainText);
    dirLblName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long path must not widen the window past the screen.
    dirLblName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    dirNew = button(this, "dirNew", "&New", "Create a new category.");
    dirAdd = button(this, "dirAdd", "&Add >>", "Add new directory into the category.");
    dirDel = button(this, "dirDel", "&Remove ", "Delete the selected directory from the category.");
    dirOK = button(this, "dirOK", "&OK", "Accept changes to the existing categories.");
    dirCancel =
        button(this, "dirCancel", "&Cancel", "Undo any changes to the existing categories.");
    // Enter after typing a name saves it; OK asks before it writes anything.
    dirOK->setDefault(true);

    savedGroupsLabel = new QLabel(QStringLiteral("Saved Groups"), this);
    savedGroupsLabel->setObjectName(QStringLiteral("lblSavedGroups"));
    savedGroupsLabel->setBuddy(dirCat);
    newFolderLabel = new QLabel(QStringLiteral("New Folder:"), this);
    newFolderLabel->setObjectName(QStringLiteral("lblNewFolder"));
    newFolderLabel->setBuddy(dirDirectory);
    drivesLabel = new QLabel(QStringLiteral("Drives:"), this);
    drivesLabel->setObjectName(QStringLiteral("lblDrives"));
    drivesLabel->setBuddy(dirDrive);
}

// The chooser on the left, the Category on the right, the arrow between:
// what is added moves the way "&Add >>" points.
void CategoryEditor::layOut() {
    auto* chooser = new QVBoxLayout;
    chooser->addWidget(drivesLabel);
    chooser->addWidget(dirDrive);
    chooser->addWidget(newFolderLabel);
    chooser->addWidget(dirLblName);
    chooser->addWidget(dirDirectory, 1);

    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(dirAdd);
    middle->addWidget(dirDel);
    middle->addStretch(1);

    auto* category = new QVBoxLayout;
    category->addWidget(savedGroupsLabel);
    category->addWidget(dirCat);
    category->addWidget(dirList, 1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(chooser, 1);
    columns->addLayout(middle);
    columns->addLayout(category, 1);

    auto* commands = new QHBoxLayout;
    commands->addWidget(dirNew);
    commands->addStretch(1);
    commands->addWidget(dirOK);
    commands->addWidget(dirCancel);

    auto* whole = new QVBoxLayout(this);
    whole->addLayout(columns, 1);
    whole->addLayout(commands);
    resize(560, 400);
}

// The chooser opens where the person last left the data folder's volume, or
// on the data folder itself.
void CategoryEditor::openStartFolder() {
    const std::string& dataFolder = dataFolder_;
    const std::string root =
        QFile::encodeName(DriveList::rootOf(QFile::decodeName(dataFolder.c_str()))).toStdString();
    std::string start = memory_.folderFor(root);
    DirectoryEntry entry;
    if (start == root || services_.files.status(start, entry) || entry.kind != EntryKind::Directory)
        start = dataFolder;

    switch (chooser_->openFolder(start)) {
    case GuardedResult::CloseWindow:
        // Not shown yet: the close must wait until it is.
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        break;
    case GuardedResult::EndProgram:
        services_.end.endNow();
        break;
    case GuardedResult::Done:
    case GuardedResult::Left:
        break;
    }
}

void CategoryEditor::pickCategory() {
    const QString name = dirCat->currentText();
    if (name != prompt()) {
        dirList->clear();
        dirNew->setEnabled(true);
    }
    dirList->addItems(categoryFiles().folders(name));
    listedCategory_ = name;
    updateRemoveButton();
}

// The prompt whole, selected, so that typing replaces it: with the caret at
// its end the box showed only "er Group Name Here", and a name typed at once
// went after it.
void CategoryEditor::offerPrompt() {
    dirCat->setCurrentIndex(-1);
    dirCat->setEditText(prompt());
    if (QLineEdit* name = dirCat->lineEdit()) {
        name->setCursorPosition(0);
        name->selectAll();
    }
    dirCat->setFocus();
}

void CategoryEditor::startNewCategory() {
    offerPrompt();
    dirList->clear();
    listedCategory_.reset();
    dirNew->setEnabled(false);
    updateRemoveButton();
}

void CategoryEditor::addFolder() {
    const QString folder = dirLblName->text();
    if (folder.isEmpty()) return;  // no folder could be opened
    if (listHolds(*dirList, folder)) {
        refuse(QStringLiteral("This directory is already in the current category."),
               QStringLiteral("Duplicated Directory"));
        return;
    }
    dirList->addItem(folder);
}

void CategoryEditor::removeFolder() {
    const QList<QListWidgetItem*> selected = dirList->selectedItems();
    if (selected.isEmpty()) return;
    delete dirList->takeItem(dirList->row(selected.first()));
    updateRemoveButton();
    if (dirList->count() > 0) return;

    // Only the Category whose folders were on show goes: a name typed over
    // another list must not delete folders the person never saw.
    const QString name = dirCat->currentText();
    if (listedCategory_ != name) return;
    if (!categoryFiles().deleteCategory(name)) return;
    removeCategoryName(*dirCat, name);
    offerPrompt();
    listedCategory_.reset();
    deletedCategories_.append(name);
}

void CategoryEditor::save() {
    const QString name = withoutOuterBlanks(dirCat->currentText());
    if (name.isEmpty() || name == prompt()) {
        if (dirList->count() > 0) {
            refuse(QStringLiteral("You must specify an index name!"), QStringLiteral("Save Index"));
            return;
        }
        leaveWithoutName();
        return;
    }
    if (!fitsInHeaderLine(name)) {
        refuse(QStringLiteral("A group name cannot contain \"]\" or a line break."),
               QStringLiteral("Save Index"));
        return;
    }
    const bool existing = dirCat->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0;
    if (existing && !ask(QStringLiteral(" Do you want to overwrite directories in the existing ") +
                             name + QStringLiteral("?"),
                         QStringLiteral("Overwrite Directories"))) {
        backToName();
        return;
    }
    if (dirList->count() == 0) {
        if (!ask(QStringLiteral("There is nothing to save to ") + name + QStringLiteral(".") +
                     QStringLiteral(" Continue?"),
                 QStringLiteral("Wrong Action"))) {
            backToName();
            return;
        }
        // Nothing is written. The main window shows an existing Category as
        // its files hold it, so that its folders and saved words match.
        if (existing)
            showInMainWindow(name);
        else
            accept();
        return;
    }
    if (!existing &&
        !ask(QStringLiteral("Are you sure to save directories to ") + name + QStringLiteral("?"),
             QStringLiteral("Save Directories"))) {
        backToName();
        return;
    }
    GuardedCategoryFiles files = categoryFiles();
    const QStringList folders = entriesOf(*dirList);
    const bool written =
        existing ? files.replaceFolders(name, folders) : files.addCategory(name, folders);
    // The editor stays open with its list, so that nothing typed is lost.
    if (!written) return;
    showInMainWindow(name);
}

void CategoryEditor::updateRemoveButton() {
    dirDel->setEnabled(!dirList->selectedItems().isEmpty());
}

bool CategoryEditor::ask(const QString& question, const QString& title) {
    return services_.boxes.show(question, title, MessageIcon::Exclamation, MessageButtons::YesNo) ==
           MessageAnswer::Yes;
}

void CategoryEditor::refuse(const QString& text, const QString& title) {
    services_.boxes.show(text, title, MessageIcon::CriticalStop, MessageButtons::Ok);
    backToName();
}

void CategoryEditor::backToName() {
    dirCat->setFocus();
}

// The person leaves without naming anything: the main window starts over
// from the Categories as the editor lists them now, with none chosen.
void CategoryEditor::leaveWithoutName() {
    setCategoryNames(*main_.criteria().searchCat, categoryNamesOf(*dirCat));
    main_.criteria().listCategory->clear();
    main_.criteria().wordList->clear();
    for (QLineEdit* box : main_.criteria().searchText) box->clear();
    accept();
    if (loadCategory_) loadCategory_();
}

void CategoryEditor::showInMainWindow(const QString& category) {
    for (const QString& deleted : deletedCategories_)
        if (deleted != category) removeCategoryName(*main_.criteria().searchCat, deleted);
    moveCategoryToEnd(*main_.criteria().searchCat, category);
    accept();
    if (loadCategory_) loadCategory_();
}

GuardedCategoryFiles CategoryEditor::categoryFiles() const {
    return GuardedCategoryFiles(services_, dataFolder_);
}

void connectCategoryEditor(MainWindow& main, std::string dataFolder, Services& services,
                           DriveFolderMemory& memory, std::function<void()> loadCategory) {
    QObject::connect(main.commands().searchBrowse, &QPushButton::clicked, &main,
                     [&main, dataFolder, &services, &memory, loadCategory] {
                         CategoryEditor editor(main, dataFolder, services, memory, loadCategory, &main);
                         editor.exec();
                     });
}

}  // namespace tessaly
