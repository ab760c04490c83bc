// What `&name;` in XML text stands for: the five XML entities and numeric
// references always; for XHTML also the HTML names that books use (&nbsp;,
// &mdash;, the Latin-1 letters...), which their XML has no declaration for.
#pragma once

#include <optional>
#include <string_view>

namespace tessaly {

enum class EntityNames { xml, html };

// `name` is what stands between '&' and ';'. Nothing when it names nothing
// known; a reference to a character no text can hold (NUL, a surrogate,
// beyond U+10FFFF) is U+FFFD.
std::optional<char32_t> characterReference(std::string_view name, EntityNames names);

}  // namespace tessaly
