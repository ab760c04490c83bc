// The main window's life: the start-up steps that load it, the two ways of
// leaving (&Exit and closing the window), and Help. It owns the window and
// the subsystems that wire its controls.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <string>

#include "platform/qt/drive_folder_memory.h"

#include "criteria/options.h"

namespace tessaly {

class WordIndex;

class CategoryBox;
class DirectSearch;
class FileMenus;
class HelpWindow;
class QuickViewer;
class ResultOutput;
class EngineAccess;
class ResultView;
class SearchRun;
class SingleFileView;
class DriveFolderChooser;
class MainWindow;
class OptionsPanel;
class WindowWordCheck;
class WordList;
struct Services;

class ProgramShell : public QObject {
    Q_OBJECT

public:
    // `dataFolder` is where the program keeps its files: the folder it was
    // started in, ending in "/". `helpGuide` is the user guide shipped with
    // the program, opened when the data folder holds no help file.
    // `engine` is where the search run and the single-file view find the
    // engine; `threads` how many files a run searches at once.
    ProgramShell(Services& services, std::string dataFolder, QString helpGuide,
                 EngineAccess& engine, int threads);
    ProgramShell(Services& services, std::string dataFolder, QString helpGuide = {});
    ~ProgramShell() override;

    MainWindow& window() { return *window_; }
    SearchRun& searchRun() { return *searchRun_; }
    ResultView& resultView() { return *resultView_; }
    QuickViewer& quickViewer() { return *quickViewer_; }
    SingleFileView& singleFileView() { return *singleFileView_; }
    FileMenus& fileMenus() { return *fileMenus_; }
    // The guide inside the program; null until Help needed it.
    HelpWindow* helpWindow() { return helpWindow_.get(); }

    // On a first start, before any Category exists, a Category of this
    // folder is made and chosen, so that the first search finds something.
    // Once the category file exists it is never made again, not even after
    // the person deleted it. Call before load().
    void offerFirstCategory(std::string folder) { firstCategoryFolder_ = std::move(folder); }

    // The folder Direct Search opens on; without one, the data folder.
    // Call before load().
    void startDirectSearchIn(std::string folder) { directSearchFolder_ = std::move(folder); }

    // Loads the window from the data files and shows it.
    void load();

    // &Exit: saves the settings and ends the program at once.
    void exitProgram();
    // Help: the data folder's help file when there is one, else the guide.
    void openHelp();
    void forgetRememberedWords();
    // Beside Forget: how large the remembered words are and how many files
    // they cover, as the scope page opens and after forgetting.
    void showRememberedSize();

    static constexpr const char* kHelpFileName = "tessalyw.hlp";
    static constexpr const char* kReady = "Ready to search!";

signals:
    // &Exit has saved the settings: the program is to end now, without
    // closing its windows one by one.
    void exitRequested();

private:
    void checkDataFolder();
    void makeFirstCategory();
    void restoreSettings();
    void restoreScope();
    void saveSettingsOnce();
    void startDirectSearchOff();
    bool mayClose();

    Services& services_;
    std::string dataFolder_;
    // The sizes kept in the settings file; the divider as the person last left it.
    WindowGeometry geometry_;
    // The words of files searched before, in the person's cache folder; none
    // when there is no such folder.
    std::unique_ptr<WordIndex> wordIndex_;
    QString helpGuide_;
    DriveFolderMemory driveFolders_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<OptionsPanel> optionsPanel_;
    std::unique_ptr<WindowWordCheck> wordCheck_;
    std::unique_ptr<CategoryBox> categoryBox_;
    std::unique_ptr<WordList> wordList_;
    std::unique_ptr<DriveFolderChooser> directSearchChooser_;
    std::unique_ptr<DirectSearch> directSearch_;
    std::unique_ptr<ResultView> resultView_;
    std::unique_ptr<SearchRun> searchRun_;  // before the views that read its arguments
    std::unique_ptr<SingleFileView> singleFileView_;
    std::unique_ptr<ResultOutput> resultOutput_;
    std::unique_ptr<QuickViewer> quickViewer_;
    std::unique_ptr<FileMenus> fileMenus_;
    std::unique_ptr<HelpWindow> helpWindow_;
    std::string firstCategoryFolder_;  // made when first needed
    std::string directSearchFolder_;
    bool dataFolderWritable_ = true;
    bool settingsSaved_ = false;
};

}  // namespace tessaly
