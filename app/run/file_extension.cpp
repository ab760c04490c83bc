#include "run/file_extension.h"

#include "run/filter_text.h"

namespace tessaly {

std::string_view unfoldedExtension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return {};
    const std::string_view extension = name.substr(dot + 1);
    const std::size_t last = extension.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : extension.substr(0, last + 1);
}

std::string fileExtension(std::string_view name) { return lowerCased(unfoldedExtension(name)); }

}  // namespace tessaly
