// tessalyw's command line: --data-dir DIR (or --data-dir=DIR), --help and
// --version. Help, the version and a mistake end the program before it opens
// a window or makes a data file; a mistake ends it with 2, as the command
// line program does.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QTextStream;

namespace tessaly {

struct WindowOptions {
    // Set when the program is to end at once, with this exit code.
    std::optional<int> exitCode;
    QString dataFolder;  // as given; empty when none was
};

// `arguments` begin with the program's name, as QCoreApplication gives them
// after Qt took its own. Help and the version go to `out`, mistakes to `err`.
WindowOptions readWindowOptions(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace tessaly
