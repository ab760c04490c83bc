// The file:// URL of a path in the file system's own bytes. As a URL, a name
// holding "?", "#", "%", blanks or a leading "-" is read as a name and
// nothing else by whoever receives it.
#pragma once

#include <QUrl>
#include <string_view>

namespace tessaly {

QUrl localFileUrl(std::string_view path);

}  // namespace tessaly
