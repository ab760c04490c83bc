// Any bytes as a settings file: the reader stays inside the record, and what
// it gives back is saved and read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/blanks.h"
#include "criteria/settings_record.h"

namespace {

using namespace tessaly;

void check(bool condition) {
    if (!condition) std::abort();
}

// What the writer stores differently from what the reader gave: it trims the
// Category and the letters, and letters without a Category are not read back.
bool storedAsGiven(const Options& options) {
    return trimBlanks(options.category) == options.category &&
           trimBlanks(options.nameStartLetters) == options.nameStartLetters &&
           (!options.category.empty() || options.nameStartLetters.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A leap day, so that the default from-date names a day that does not exist.
    constexpr auto today = std::chrono::year(2004) / 2 / 29;
    const DecodedSettings first =
        decodeSettings(std::string_view(reinterpret_cast<const char*>(data), size), today);

    bool shortened = false;
    const std::string record = encodeSettings(first.options, &shortened);
    check(record.size() == settingsRecordSize);
    const DecodedSettings second = decodeSettings(record, today);
    check(second.state == RecordState::Read);
    if (!shortened && storedAsGiven(first.options)) check(second.options == first.options);

    // Whatever had to change, it changes once.
    bool shortenedAgain = true;
    const std::string again = encodeSettings(second.options, &shortenedAgain);
    check(!shortenedAgain);
    check(decodeSettings(again, today).options == second.options);
    return 0;
}
