// The program's icon for its windows and the task bar: the installed theme's
// when the desktop has it, else the same picture drawn here (a page under a
// magnifying glass), which needs no image plugin.
#pragma once

#include <QIcon>

namespace tessaly {

QIcon programIcon();
// The picture alone, in every size it is drawn in.
QIcon drawnProgramIcon();

}  // namespace tessaly
