// tessalyw: the windowed program. It keeps its files in the folder
// --data-dir names, or in the person's own data folder.
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTextStream>
#include <memory>

#include "platform/file_system.h"
#include "platform/personal_data_folder.h"
#include "platform/qt/lossless_text.h"
#include "platform/qt/program_end.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_print_and_save_dialogs.h"
#include "platform/starting_folder.h"
#include "shell/qt/program_icon.h"
#include "shell/qt/program_shell.h"
#include "window/qt/services.h"
#include "shell/qt/splash_window.h"
#include "shell/qt/window_options.h"
#include "tessaly_version.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaly"));
    QApplication::setApplicationVersion(QString::fromLatin1(tessaly::kProgramVersion));
    // The desktop entry's name, so that the task bar finds its icon and launcher.
    QGuiApplication::setDesktopFileName(QStringLiteral("tessaly"));
    QApplication::setWindowIcon(tessaly::programIcon());

    using namespace tessaly;
    // Read before anything is made: help, the version and a mistake leave
    // no window and no data folder behind.
    QTextStream out(stdout);
    QTextStream err(stderr);
    const WindowOptions options = readWindowOptions(QApplication::arguments(), out, err);
    if (options.exitCode) return *options.exitCode;

    QtMessageBoxes boxes;
    QtPrintAndSaveDialogs dialogs;
    QtDesktop desktop;
    Services services{systemFileSystem(), boxes, dialogs, desktop, immediateProgramEnd()};

    // Where the program keeps its files: --data-dir, or the person's own data
    // folder (started from a desktop menu, the current folder is anyone's).
    QString dataPath;
    if (!options.dataFolder.isEmpty()) {
        dataPath = QDir(options.dataFolder).absolutePath();
    } else {
        const std::string personal = tessaly::personalDataFolder();
        dataPath = personal.empty() ? QDir::currentPath() : QFile::decodeName(QByteArray::fromStdString(personal));
    }
    QDir().mkpath(dataPath);
    const std::string dataFolder = bytesFromText(dataPath) + "/";
    // The guide beside the program as built, or where an installation puts it.
    QString guide = QApplication::applicationDirPath() + QStringLiteral("/user-guide.html");
    if (!QFile::exists(guide))
        guide = QApplication::applicationDirPath() + QStringLiteral("/../share/doc/tessaly/user-guide.html");

    std::unique_ptr<ProgramShell> shell;
    SplashWindow splash([&] {
        shell = std::make_unique<ProgramShell>(services, dataFolder, guide);
        // A first search that finds something: the person's documents, or home.
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const bool hasDocuments = !documents.isEmpty() && documents != QDir::homePath() && QDir(documents).exists();
        shell->offerFirstCategory(bytesFromText(hasDocuments ? documents : QDir::homePath()));
        shell->startDirectSearchIn(startingFolder(
            {bytesFromText(QDir::currentPath()), bytesFromText(QDir::homePath()), dataFolder,
             ::isatty(STDIN_FILENO) == 1}));
        QObject::connect(shell.get(), &ProgramShell::exitRequested, &application,
                         [] { QCoreApplication::exit(0); });
        shell->load();
    });
    splash.show();
    return QApplication::exec();
}
