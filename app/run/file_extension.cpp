#include "run/file_extension.h"

#include "run/filter_text.h"

namespace tessaly {

std::string fileExtension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return {};
    std::string_view extension = name.substr(dot + 1);
    const std::size_t last = extension.find_last_not_of(' ');
    extension = last == std::string_view::npos ? std::string_view{} : extension.substr(0, last + 1);
    return lowerCased(extension);
}

}  // namespace tessaly
