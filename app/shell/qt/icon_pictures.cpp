// Writes the program's icon as PNG files in the sizes a desktop's icon theme
// looks for: icon_pictures FOLDER writes FOLDER/SIZExSIZE/tessaly.png.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "shell/qt/program_icon.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: icon_pictures FOLDER\n");
        return 2;
    }
    const QIcon icon = tessaly::drawnProgramIcon();
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/%1x%1").arg(size);
        if (!QDir().mkpath(folder) || !icon.pixmap(size).save(folder + QStringLiteral("/tessaly.png"))) {
            std::fprintf(stderr, "icon_pictures: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
