#include "window/qt/open_in_application.h"

#include <QStringList>
#include <cstring>

#include "platform/program_file.h"
#include "platform/qt/folder_list.h"
#include "platform/qt/local_file_url.h"
#include "platform/qt/lossless_text.h"
#include "window/qt/services.h"

namespace tessaly {

namespace {

const QString kTitle = QStringLiteral("View in Application");

void offerInsteadOfRunning(Services& services, const std::string& path,
                           const std::function<void()>& showInViewer) {
    const QString name = textFromBytes(path);
    QStringList choices;
    QString text = QStringLiteral("%1 is a program, so Tessaly did not start it. ").arg(name);
    if (showInViewer) {
        choices << QStringLiteral("Quick &Viewer");
        text += QStringLiteral(
            "You can look at it in the Quick Viewer or open the folder that holds it.");
    } else {
        text += QStringLiteral("You can open the folder that holds it.");
    }
    choices << QStringLiteral("Open &Folder");
    const int chosen = services.boxes.choose(text, kTitle, MessageIcon::Exclamation, choices);
    if (chosen < 0) return;
    if (showInViewer && chosen == 0) {
        showInViewer();
        return;
    }
    // The folder, never the file: a file manager shows a program, it does not run it.
    openFolderOf(services, path);
}

QString reasonNotRead(const Failure& failure) {
    if (failure.systemError != 0) return QString::fromLocal8Bit(std::strerror(failure.systemError));
    return textFromBytes(failure.describe());
}

}  // namespace

Failure openFolderOf(Services& services, const std::string& path) {
    return openFolder(services, FolderList::parentOf(path));
}

Failure openFolder(Services& services, const std::string& folder) {
    return services.desktop.openUrl(localFileUrl(folder));
}

Failure openInApplication(Services& services, const std::string& path,
                          const std::function<void()>& showInViewer) {
    const ProgramCheck check = checkProgramFile(services.files, path);
    switch (check.verdict) {
    case ProgramVerdict::Document:
        if (!stillTheFileJudged(services.files, path, check)) {
            services.boxes.show(QStringLiteral("%1 changed while Tessaly looked at it, so it did not open it.")
                                    .arg(textFromBytes(path)),
                                kTitle, MessageIcon::CriticalStop, MessageButtons::Ok);
            return {};
        }
        return services.desktop.openUrl(localFileUrl(path));
    case ProgramVerdict::Program:
        offerInsteadOfRunning(services, path, showInViewer);
        break;
    case ProgramVerdict::NotAFile:
        services.boxes.show(QStringLiteral("%1 is not a file, so Tessaly did not open it.")
                                .arg(textFromBytes(path)),
                            kTitle, MessageIcon::CriticalStop, MessageButtons::Ok);
        break;
    case ProgramVerdict::Unreadable:
        services.boxes.show(QStringLiteral("Tessaly cannot read %1, so it did not open it: %2.")
                                .arg(textFromBytes(path), reasonNotRead(check.failure)),
                            kTitle, MessageIcon::CriticalStop, MessageButtons::Ok);
        break;
    }
    return {};
}

}  // namespace tessaly
