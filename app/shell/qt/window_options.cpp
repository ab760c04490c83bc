#include "shell/qt/window_options.h"

#include <QCommandLineParser>
#include <QTextStream>

#include "tessaly_version.h"

namespace tessaly {

namespace {

constexpr int kExitError = 2;

WindowOptions endWith(int code) {
    WindowOptions options;
    options.exitCode = code;
    return options;
}

WindowOptions mistake(QTextStream& err, const QString& what) {
    err << "tessalyw: " << what << "\nTry 'tessalyw --help' for more information.\n";
    err.flush();
    return endWith(kExitError);
}

}  // namespace

WindowOptions readWindowOptions(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Find text in the documents on your disks, in a window."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption dataDir(
        QStringLiteral("data-dir"),
        QStringLiteral("Keep the Categories, saved words and options in DIR instead of "
                       "$XDG_DATA_HOME/tessaly."),
        QStringLiteral("DIR"));
    parser.addOption(dataDir);

    if (!parser.parse(arguments)) return mistake(err, parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return mistake(err, QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    if (parser.isSet(help)) {
        out << parser.helpText();
        out.flush();
        return endWith(0);
    }
    if (parser.isSet(version)) {
        out << "tessalyw " << kProgramVersion << "\n";
        out.flush();
        return endWith(0);
    }
    WindowOptions options;
    options.dataFolder = parser.value(dataDir);
    // "--data-dir=" names no folder: the files would land in the current one.
    if (parser.isSet(dataDir) && options.dataFolder.isEmpty())
        return mistake(err, QStringLiteral("--data-dir needs a folder"));
    return options;
}

}  // namespace tessaly
