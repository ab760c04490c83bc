#include "shell/qt/program_shell.h"

#include <QCheckBox>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

#include "categories/data_files.h"
#include "categories/qt/category_box.h"
#include "categories/qt/category_editor.h"
#include "categories/qt/word_list.h"
#include "criteria/qt/option_controls.h"
#include "criteria/qt/options_panel.h"
#include "criteria/qt/window_word_check.h"
#include "criteria/run_arguments.h"
#include "criteria/settings_file.h"
#include "platform/qt/drive_folder_chooser.h"
#include "platform/qt/drive_list.h"
#include "platform/qt/folder_list.h"
#include "platform/qt/lossless_text.h"
#include "shell/qt/data_file_guard.h"
#include "shell/qt/main_window.h"
#include "shell/qt/services.h"

namespace tessaly {

ProgramShell::ProgramShell(Services& services, std::string dataFolder, QString helpGuide)
    : services_(services),
      dataFolder_(std::move(dataFolder)),
      helpGuide_(std::move(helpGuide)),
      window_(std::make_unique<MainWindow>(services.files)) {
    if (!dataFolder_.empty() && dataFolder_.back() != '/') dataFolder_ += '/';
    MainWindow& w = *window_;
    w.state.dataFolder = dataFolder_;

    optionsPanel_ = std::make_unique<OptionsPanel>(w, services_);
    wordCheck_ = std::make_unique<WindowWordCheck>(w, services_);
    categoryBox_ = std::make_unique<CategoryBox>(w, services_, [&w] {
        refreshRunArguments(w.state.runArguments, readOptions(w));
    });
    wordList_ = std::make_unique<WordList>(w, services_);
    connectCategoryEditor(w, services_, driveFolders_, [this] { categoryBox_->loadCategory(); });
    directSearchChooser_ = std::make_unique<DriveFolderChooser>(*w.qDrive, *w.qDirList,
                                                                driveFolders_, services_.boxes);
    connect(directSearchChooser_.get(), &DriveFolderChooser::closeWindowRequested, &w,
            &QWidget::close);
    connect(directSearchChooser_.get(), &DriveFolderChooser::endProgramRequested, this,
            [this] { services_.end.endNow(); });

    // The search run itself comes with the results view; until then Start
    // checks the words and stays on the criteria.
    connect(w.searchNow, &QPushButton::clicked, this, [this] { wordCheck_->checkBeforeStart(); });
    connect(w.stExit, &QPushButton::clicked, this, &ProgramShell::exitProgram);
    connect(w.helpCfg, &QPushButton::clicked, this, &ProgramShell::openHelp);
    connect(&w, &MainWindow::closing, this, &ProgramShell::saveSettingsOnce);
    connect(&w, &MainWindow::dividerMoved, this,
            [&w](int twips) { w.state.geometry.splitterLeft = twips; });
}

ProgramShell::~ProgramShell() = default;

void ProgramShell::load() {
    MainWindow& w = *window_;
    checkDataFolder();

    // The commands as they stand before the first search.
    w.frameAdvanced->hide();
    w.searchNow->setEnabled(true);
    for (QWidget* idle : {static_cast<QWidget*>(w.searchConfig), static_cast<QWidget*>(w.searchStop),
                          static_cast<QWidget*>(w.searchSave), static_cast<QWidget*>(w.searchPrint),
                          static_cast<QWidget*>(w.buttonView), static_cast<QWidget*>(w.buttonDetail),
                          static_cast<QWidget*>(w.searchRemove), static_cast<QWidget*>(w.searchCopy),
                          static_cast<QWidget*>(w.searchAdd)})
        idle->setEnabled(false);
    w.monthViewFrom->hide();
    w.monthViewTo->hide();
    w.ImageRed->show();
    w.ImageGreen->hide();
    w.state.clearResults = false;

    categoryBox_->fillNames();
    restoreSettings();

    refreshSummary(w);
    w.state.tabMessage = !w.DispName->isChecked();
    showNearbyState(w, true);

    if (!categoryBox_->categoryText().isEmpty()) categoryBox_->loadCategory();
    w.dispFile->setText(QString::fromLatin1(kReady));
    w.state.wildcardWarnings = WildcardWarnings{};

    w.setDividerLeft(w.state.geometry.splitterLeft);
    w.setWidthTwips(w.state.geometry.mainWidth);
    startDirectSearchOff();

    w.show();
}

void ProgramShell::checkDataFolder() {
    // The settings file's temporary name is ours to write and remove: if it
    // cannot be written, neither can anything else the program keeps here.
    const std::string probe = dataFolder_ + settingsTemporaryName;
    Failure failure = services_.files.writeAll(probe, {});
    if (!failure) failure = services_.files.remove(probe);
    if (!failure) return;
    dataFolderWritable_ = false;
    const std::string reason = failure.describe();
    services_.boxes.show(
        QStringLiteral("Tessaly cannot write its files in %1 (%2). It starts with its default "
                       "options, and changes to Categories, saved words and options will not be "
                       "kept.")
            .arg(textFromBytes(dataFolder_), textFromBytes(reason)),
        QStringLiteral("Data Folder Not Writable"), MessageIcon::Exclamation, MessageButtons::Ok);
}

void ProgramShell::restoreSettings() {
    MainWindow& w = *window_;
    SettingsLoad load = loadSettings(services_.files, dataFolder_);
    if (load.failure && dataFolderWritable_) {
        // Read again on Retry; Ignore goes on with the defaults.
        guardDataFile(services_, [&] {
            load = loadSettings(services_.files, dataFolder_);
            return load.failure;
        });
    }
    if (load.state == RecordState::Unreadable) {
        services_.boxes.show(
            QStringLiteral("The settings file %1 is damaged. Tessaly starts with its default "
                           "options and replaces the file when it closes.")
                .arg(textFromBytes(dataFilePath(dataFolder_, settingsFileName))),
            QStringLiteral("Settings Damaged"), MessageIcon::Exclamation, MessageButtons::Ok);
    }
    showOptions(w, load.options);
    w.state.geometry = load.options.geometry;
    categoryBox_->setCategoryText(textFromBytes(load.options.searchCat));
}

void ProgramShell::startDirectSearchOff() {
    MainWindow& w = *window_;
    w.chkQSearch->setChecked(false);
    w.qDirList->setEnabled(false);
    w.qDrive->setEnabled(false);
    directSearchChooser_->openFolder(dataFolder_);
    // Grey text, as scroll bars are grey: the lists are there but not in use.
    for (QWidget* list : {static_cast<QWidget*>(w.qDirList), static_cast<QWidget*>(w.qDrive)}) {
        QPalette palette = list->palette();
        palette.setColor(QPalette::Text, palette.color(QPalette::Disabled, QPalette::Text));
        list->setPalette(palette);
    }
}

void ProgramShell::saveSettingsOnce() {
    if (settingsSaved_) return;
    settingsSaved_ = true;
    const Options options = readOptions(*window_);
    const auto save = [&] { return saveSettings(services_.files, dataFolder_, options); };
    // The person was told at start-up that nothing can be kept here.
    if (!dataFolderWritable_) {
        save();
        return;
    }
    guardDataFile(services_, save);
}

void ProgramShell::exitProgram() {
    saveSettingsOnce();
    emit exitRequested();
}

void ProgramShell::openHelp() {
    const std::string helpFile = dataFilePath(dataFolder_, kHelpFileName);
    DirectoryEntry entry;
    const bool inDataFolder =
        !services_.files.status(helpFile, entry) && entry.kind == EntryKind::File;
    const std::string target =
        inDataFolder ? helpFile : bytesFromText(helpGuide_);
    if (const Failure failure = services_.desktop.openFile(target)) {
        const std::string reason = failure.describe();
        services_.boxes.show(QStringLiteral("The help cannot be opened: %1.").arg(textFromBytes(reason)),
                             QStringLiteral("Help"), MessageIcon::Information, MessageButtons::Ok);
    }
}

}  // namespace tessaly
