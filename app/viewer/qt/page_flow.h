// A document's lines laid out page after page for a printer. QTextDocument
// lays a whole document out in one coordinate space of 26.6 fixed-point
// numbers, which at a printer's resolution runs out after some three thousand
// pages and then places lines anywhere, silently. Here every line is placed
// on its own page, with a position measured from that page's corner: no
// number grows with the page, so the ten-thousandth page is laid out as
// exactly as the first.
#pragma once

#include <QSizeF>
#include <functional>

class QPaintDevice;
class QTextDocument;
class QTextLine;

namespace tessaly {

// Takes each line in the text's order with the page it stands on, counted
// from 1; the line's position is set on that page. Answers false to end the
// flow there: no line after it is laid out.
using PlaceLine = std::function<bool(const QTextLine& line, int page)>;

// Lays the document out on pages of `page` size, as measured on `device`, and
// hands every line to `place` as soon as it is laid out; a paragraph longer
// than a page goes on over the next pages line by line. Every character is
// on some line: a word wider than the page is broken. Only the lines of one
// piece of a paragraph are held at a time.
void flowPages(const QTextDocument& document, QPaintDevice& device, QSizeF page,
               const PlaceLine& place);

}  // namespace tessaly
