// Names, folders and saved words travel between the data files (the file
// system's bytes, UTF-8 here) and the lists on screen without losing a byte:
// a folder whose name is not valid UTF-8 must still be found again.
#pragma once

#include <QStringList>
#include <string>
#include <vector>

class QListWidget;

namespace tessaly {

QStringList textsFromBytes(const std::vector<std::string>& stored);
std::vector<std::string> bytesFromTexts(const QStringList& texts);

// The entries of a list box, in order.
QStringList entriesOf(const QListWidget& list);

}  // namespace tessaly
