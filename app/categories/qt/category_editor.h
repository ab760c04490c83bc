// frmDir: the category editor. Here the person names a Category and puts
// folders in it, changes the folders of one, or deletes one by taking out its
// last folder. The category file is written on OK, and at once when a
// Category is deleted; OK also brings the main window's Category box and
// lists up to date.
#pragma once

#include <string>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace tessaly {

class DriveFolderChooser;
class DriveFolderMemory;
class DriveList;
class FolderList;
class GuardedCategoryFiles;
class MainWindow;
struct Services;

class CategoryEditor : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kCaption = "Tessaly - Change Group";

    // `loadCategory` makes the Category the main window's box names current;
    // it runs after OK. `memory` is the folder each volume was left in, shared
    // with the main window's direct search.
    CategoryEditor(MainWindow& main, std::string dataFolder, Services& services, DriveFolderMemory& memory,
                   std::function<void()> loadCategory, QWidget* parent = nullptr);
    ~CategoryEditor() override;

    QComboBox* dirCat;
    QListWidget* dirList;
    DriveList* dirDrive;
    FolderList* dirDirectory;
    QLabel* dirLblName;
    QPushButton* dirNew;
    QPushButton* dirAdd;
    QPushButton* dirDel;
    QPushButton* dirOK;
    QPushButton* dirCancel;
    QLabel* savedGroupsLabel;
    QLabel* newFolderLabel;
    QLabel* drivesLabel;

    // A name picked from the list of dirCat: its folders fill dirList.
    void pickCategory();
    void startNewCategory();
    // Adds the folder open in the chooser, unless the list holds it already.
    void addFolder();
    // Takes the selected folder out; taking out the last folder of the
    // Category that was picked deletes that Category from both files.
    void removeFolder();
    void save();

private:
    void buildControls();
    void layOut();
    void openStartFolder();
    void offerPrompt();
    void updateRemoveButton();
    // True when the person answered Yes.
    bool ask(const QString& question, const QString& title);
    void refuse(const QString& text, const QString& title);
    void backToName();
    void leaveWithoutName();
    void showInMainWindow(const QString& category);
    GuardedCategoryFiles categoryFiles() const;

    MainWindow& main_;
    std::string dataFolder_;  // ends in "/"
    Services& services_;
    DriveFolderMemory& memory_;
    std::function<void()> loadCategory_;
    DriveFolderChooser* chooser_ = nullptr;
    // The Category whose folders dirList was filled with, while it still is.
    std::optional<QString> listedCategory_;
    // Deleted while the editor is open: the main window forgets them on OK.
    QStringList deletedCategories_;
};

// The Group button (searchBrowse) opens the editor, modally.
void connectCategoryEditor(MainWindow& main, std::string dataFolder, Services& services,
                           DriveFolderMemory& memory, std::function<void()> loadCategory);

}  // namespace tessaly
