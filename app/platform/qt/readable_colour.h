// A colour the program's documents use (blue headings, red hits) in a shade
// that can be read on the desktop's background: pure blue on a dark theme's
// grey is nearly invisible. Only what is shown changes; saved and printed
// documents keep their colours, since paper is white.
#pragma once

#include <QColor>

namespace tessaly {

QColor readableOn(const QColor& colour, const QColor& background);

}  // namespace tessaly
