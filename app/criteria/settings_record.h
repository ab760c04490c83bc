// The settings file tysetup.tyx is one record of exactly 500 bytes: the
// options, the dates, the nearby count, the viewer start, the four window
// sizes, the Category name and the file-name letters. These turn the options
// into that record and back, byte for byte, with no file involved.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include "criteria/options.h"

namespace tessaly {

inline constexpr std::size_t settingsRecordSize = 500;

enum class RecordState {
    Read,         // everything came from the record
    OlderLayout,  // a record of an older program: the options up to the month count came
                  // from it, nearby, viewer start, geometry, Category and letters are defaults
    Empty,        // an empty file (the first start): the defaults
    Unreadable,   // its lengths point past the end of the record: the defaults
};

struct DecodedSettings {
    Options options;
    RecordState state = RecordState::Empty;
};

// Reads the first 500 bytes; a shorter record reads as zero bytes past its
// end. `today` gives the default dates. The operators are not in the record
// and come back as AND.
DecodedSettings decodeSettings(std::string_view bytes, std::chrono::year_month_day today);

// Always 500 bytes. The Category name and the file-name letters are stored
// trimmed. Each text holds at most 255 bytes, and when everything together
// does not fit, the file-name letters are shortened first, then the Category
// name, then the extension list (and last the date texts, which only a
// damaged record makes long), never inside a UTF-8 character. `shortened`
// tells whether any text was.
std::string encodeSettings(const Options& options, bool* shortened = nullptr);

}  // namespace tessaly
