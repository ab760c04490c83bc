#include "shell/qt/program_shell.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "categories/category_store.h"
#include "categories/data_files.h"
#include "categories/qt/category_box.h"
#include "categories/qt/category_editor.h"
#include "categories/qt/word_list.h"
#include "criteria/qt/option_controls.h"
#include "criteria/qt/options_panel.h"
#include "criteria/qt/scope_controls.h"
#include "criteria/qt/window_word_check.h"
#include "criteria/run_arguments.h"
#include "criteria/scope_file.h"
#include "criteria/settings_file.h"
#include "platform/qt/drive_folder_chooser.h"
#include "platform/qt/drive_list.h"
#include "platform/qt/folder_list.h"
#include "platform/engine_access.h"
#include "platform/qt/lossless_text.h"
#include "run/qt/command_states.h"
#include "run/qt/direct_search.h"
#include "run/qt/result_view.h"
#include "index/index_folder.h"
#include "index/word_index.h"
#include "run/qt/search_run.h"
#include "run/qt/single_file_view.h"
#include "shell/qt/help_window.h"
#include "window/qt/data_file_guard.h"
#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/criteria_view.h"
#include "window/qt/options_panel_view.h"
#include "window/qt/status_row.h"
#include "window/qt/open_in_application.h"
#include "window/qt/services.h"
#include "window/qt/window_keys.h"
#include "viewer/qt/quick_viewer.h"
#include "viewer/qt/file_menus.h"
#include "viewer/qt/quick_viewer_window.h"
#include "viewer/qt/result_output.h"

namespace tessaly {

ProgramShell::ProgramShell(Services& services, std::string dataFolder, QString helpGuide)
    : ProgramShell(services, std::move(dataFolder), std::move(helpGuide), installedEngine(),
                   SearchRun::defaultThreads()) {}

ProgramShell::ProgramShell(Services& services, std::string dataFolder, QString helpGuide,
                           EngineAccess& engine, int threads)
    : services_(services),
      dataFolder_(std::move(dataFolder)),
      helpGuide_(std::move(helpGuide)),
      window_(std::make_unique<MainWindow>(services.files)) {
    if (!dataFolder_.empty() && dataFolder_.back() != '/') dataFolder_ += '/';
    MainWindow& w = *window_;

    optionsPanel_ = std::make_unique<OptionsPanel>(w, services_);
    wordCheck_ = std::make_unique<WindowWordCheck>(w, services_);
    categoryBox_ = std::make_unique<CategoryBox>(w, dataFolder_, services_, [this, &w] {
        searchRun_->refreshArguments(readOptions(w));
    });
    wordList_ = std::make_unique<WordList>(w, dataFolder_, services_);
    connectCategoryEditor(w, dataFolder_, services_, driveFolders_, [this] { categoryBox_->loadCategory(); });
    directSearchChooser_ = std::make_unique<DriveFolderChooser>(*w.criteria().qDrive, *w.criteria().qDirList,
                                                                driveFolders_, services_.boxes);
    connect(directSearchChooser_.get(), &DriveFolderChooser::closeWindowRequested, &w,
            &QWidget::close);
    connect(directSearchChooser_.get(), &DriveFolderChooser::endProgramRequested, this,
            [this] { services_.end.endNow(); });

    directSearch_ = std::make_unique<DirectSearch>(w);
    resultView_ = std::make_unique<ResultView>(w, services_);
    connect(optionsPanel_.get(), &OptionsPanel::displayChosen, resultView_.get(), &ResultView::displayChosen);
    searchRun_ = std::make_unique<SearchRun>(w, services_, *wordCheck_, *resultView_, engine, threads);
    if (const std::string cache = wordIndexFolder(); !cache.empty()) {
        wordIndex_ = std::make_unique<WordIndex>(cache);
        searchRun_->useWordIndex(wordIndex_.get());
    }
    connect(w.panel().scopeForget, &QPushButton::clicked, this, &ProgramShell::forgetRememberedWords);
    connect(w.panel().searchScope, &QPushButton::clicked, this, &ProgramShell::showRememberedSize);
    singleFileView_ = std::make_unique<SingleFileView>(w, services_, engine, searchRun_->arguments(),
                                                       resultView_->selectedFile());
    resultOutput_ = std::make_unique<ResultOutput>(w, services_);
    quickViewer_ = std::make_unique<QuickViewer>(w, services_, engine, searchRun_->arguments(), resultView_->entries(),
                                                 resultView_->selectedFile());
    fileMenus_ = std::make_unique<FileMenus>(w, services_, *quickViewer_, resultView_->entries(),
                                             resultView_->selectedFile());
    connect(w.commands().searchConfig, &QPushButton::clicked, this, [&w] { enterCriteriaState(w); });
    connect(w.commands().viewPrev, &QPushButton::clicked, this, [&w] { enterFoundState(w); });
    w.setCloseGuard([this] { return mayClose(); });
    connect(w.commands().stExit, &QPushButton::clicked, this, &ProgramShell::exitProgram);
    connect(w.commands().helpCfg, &QPushButton::clicked, this, &ProgramShell::openHelp);
    connect(&w, &MainWindow::closing, this, [this] {
        saveSettingsOnce();
        // The viewer and the guide would keep the program running without its main window.
        if (quickViewer_->windowMade()) quickViewer_->window().close();
        if (helpWindow_) helpWindow_->close();
    });
    connect(&w, &MainWindow::dividerMoved, this,
            [this](int twips) { geometry_.splitterLeft = twips; });
    installWindowKeys(w);
}

ProgramShell::~ProgramShell() = default;

void ProgramShell::load() {
    MainWindow& w = *window_;
    checkDataFolder();

    // The commands as they stand before the first search.
    w.panel().frameAdvanced->hide();
    w.commands().searchNow->setEnabled(true);
    for (QWidget* idle : {static_cast<QWidget*>(w.commands().searchConfig), static_cast<QWidget*>(w.commands().searchStop),
                          static_cast<QWidget*>(w.commands().searchSave), static_cast<QWidget*>(w.commands().searchPrint),
                          static_cast<QWidget*>(w.commands().buttonView), static_cast<QWidget*>(w.commands().buttonDetail),
                          static_cast<QWidget*>(w.criteria().searchRemove), static_cast<QWidget*>(w.criteria().searchCopy),
                          static_cast<QWidget*>(w.criteria().searchAdd)})
        idle->setEnabled(false);
    w.panel().monthViewFrom->hide();
    w.panel().monthViewTo->hide();
    w.status().ImageRed->show();
    w.status().ImageGreen->hide();

    DirectoryEntry categoryFile;
    const bool firstStart =
        !firstCategoryFolder_.empty() &&
        static_cast<bool>(services_.files.status(dataFilePath(dataFolder_, categoryFileName), categoryFile));
    categoryBox_->fillNames();
    restoreSettings();
    if (firstStart) makeFirstCategory();

    refreshSummary(w);
    resultView_->displayChosen(w.panel().DispName->isChecked());
    showNearbyState(w, true);

    if (!categoryBox_->categoryText().isEmpty()) categoryBox_->loadCategory();
    w.status().dispFile->setText(QString::fromLatin1(kReady));

    // The width first: a divider laid out in the default width would be
    // pulled in to fit it.
    w.setWidthTwips(geometry_.mainWidth);
    w.setDividerLeft(geometry_.splitterLeft);
    startDirectSearchOff();

    // The person comes to type a word.
    w.criteria().searchText[0]->setFocus(Qt::OtherFocusReason);
    w.show();
}

void ProgramShell::makeFirstCategory() {
    const std::string& folder = firstCategoryFolder_;
    const std::string name = folder.ends_with("/Documents") ? "Documents" : "Home";
    // Should it fail, Start says what to do instead.
    if (CategoryStore(services_.files, dataFolder_).addCategory(name, {folder})) return;
    categoryBox_->fillNames();
    categoryBox_->setCategoryText(textFromBytes(name));
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
    geometry_ = load.options.geometry;
    quickViewer_->setSizeTwips(geometry_.viewerWidth, geometry_.viewerHeight);
    categoryBox_->setCategoryText(textFromBytes(load.options.category));
    restoreScope();
}

void ProgramShell::restoreScope() {
    ScopeLoad load = loadScope(services_.files, dataFolder_);
    if (load.failure && dataFolderWritable_) {
        guardDataFile(services_, [&] {
            load = loadScope(services_.files, dataFolder_);
            return load.failure;
        });
    }
    if (!load.unreadable.empty()) {
        services_.boxes.show(
            QStringLiteral("The settings file %1 holds values Tessaly cannot read (%2). It uses their "
                           "defaults and replaces the file when it closes.")
                .arg(textFromBytes(dataFilePath(dataFolder_, scopeFileName)),
                     textFromBytes(unreadableList(load.unreadable))),
            QStringLiteral("Settings Damaged"), MessageIcon::Exclamation, MessageButtons::Ok);
    }
    showScope(*window_, load.scope);
}

void ProgramShell::startDirectSearchOff() {
    MainWindow& w = *window_;
    w.criteria().chkQSearch->setChecked(false);
    showDirectSearchLists(w, false);
    directSearchChooser_->openFolder(directSearchFolder_.empty() ? dataFolder_ : directSearchFolder_);
}

bool ProgramShell::mayClose() {
    if (!searchRun_->running()) return true;
    // The run ends at its next check; then the window closes as asked.
    searchRun_->stop();
    searchRun_->whenIdle([this] { window_->close(); });
    return false;
}

void ProgramShell::forgetRememberedWords() {
    if (!wordIndex_ || !wordIndex_->usable()) {
        const std::string notice = wordIndex_ ? wordIndex_->takeNotice() : std::string();
        services_.boxes.show(notice.empty() ? QStringLiteral("There are no remembered words to forget.")
                                            : textFromBytes(notice),
                             QStringLiteral("Tessaly"), MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    const std::uint64_t files = wordIndex_->info().files;
    if (Failure failure = wordIndex_->forgetAll()) {
        services_.boxes.show(textFromBytes(failure.describe()), QStringLiteral("Tessaly"), MessageIcon::CriticalStop,
                             MessageButtons::Ok);
        return;
    }
    showRememberedSize();
    services_.boxes.show(QStringLiteral("The words of %1 searched files are forgotten.").arg(files),
                         QStringLiteral("Tessaly"), MessageIcon::Information, MessageButtons::Ok);
}

void ProgramShell::showRememberedSize() {
    QLabel& shown = *window_->panel().scopeRemembered;
    if (!wordIndex_ || !wordIndex_->usable()) {
        shown.setText(QStringLiteral("Nothing remembered"));
        return;
    }
    const IndexInfo info = wordIndex_->info();
    shown.setText((info.files == 1 ? QStringLiteral("%1 file remembered, %2") : QStringLiteral("%1 files remembered, %2"))
                      .arg(QLocale().toString(static_cast<qulonglong>(info.files)),
                           QString::fromStdString(info.sizeText())));
}

void ProgramShell::saveSettingsOnce() {
    if (settingsSaved_) return;
    settingsSaved_ = true;
    Options options = readOptions(*window_);
    options.geometry = geometry_;
    options.geometry.mainWidth = window_->keptWidthTwips();
    options.geometry.viewerWidth = quickViewer_->widthTwips();
    options.geometry.viewerHeight = quickViewer_->heightTwips();
    const SearchScope scope = readScope(*window_);
    // One step for both files: they lie in the same folder, and what keeps one
    // from being written (a full disk) keeps the other too, so the person is
    // asked once; Retry writes both again.
    const auto save = [&] {
        if (Failure failure = saveSettings(services_.files, dataFolder_, options)) return failure;
        return saveScope(services_.files, dataFolder_, scope);
    };
    // The person was told at start-up that nothing can be kept here.
    if (!dataFolderWritable_) {
        save();
        return;
    }
    guardDataFile(services_, save);
}

void ProgramShell::exitProgram() {
    saveSettingsOnce();
    // A run in progress is left at its next check; the program ends then.
    if (searchRun_->running()) searchRun_->stop();
    emit exitRequested();
}

void ProgramShell::openHelp() {
    const std::string helpFile = dataFilePath(dataFolder_, kHelpFileName);
    DirectoryEntry entry;
    const bool inDataFolder =
        !services_.files.status(helpFile, entry) && entry.kind == EntryKind::File;
    const std::string target =
        inDataFolder ? helpFile : bytesFromText(helpGuide_);
    if (const Failure failure = openInApplication(services_, target)) {
        // Nothing on this desktop would show it: the program does.
        DirectoryEntry guide;
        if (!services_.files.status(target, guide) && guide.kind == EntryKind::File) {
            if (!helpWindow_) helpWindow_ = std::make_unique<HelpWindow>();
            helpWindow_->showPage(QFile::decodeName(QByteArray::fromStdString(target)));
            return;
        }
        const std::string reason = failure.describe();
        services_.boxes.show(QStringLiteral("The help cannot be opened: %1.").arg(textFromBytes(reason)),
                             QStringLiteral("Help"), MessageIcon::Information, MessageButtons::Ok);
    }
}

}  // namespace tessaly
