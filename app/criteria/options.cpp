#include "criteria/options.h"

#include <ctime>

namespace tessaly {

using namespace std::chrono;

Options defaultOptions(year_month_day today) {
    Options options;
    // Subtracting years keeps month and day as they are, 29 February included.
    options.dateFrom = dateText(today - years(5));
    options.dateTo = dateText(today);
    return options;
}

std::string dateText(year_month_day date) {
    return std::to_string(static_cast<unsigned>(date.month())) + "/" +
           std::to_string(static_cast<unsigned>(date.day())) + "/" +
           std::to_string(static_cast<int>(date.year()));
}

year_month_day localToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return year(local.tm_year + 1900) / month(static_cast<unsigned>(local.tm_mon + 1)) /
           day(static_cast<unsigned>(local.tm_mday));
}

int contextWordsButton(int contextWords) {
    return contextWords == 10 ? 0 : contextWords == 20 ? 1 : contextWords == 30 ? 2 : noButton;
}

int contextWordsOfButton(int button) {
    return button >= 0 && button <= 2 ? (button + 1) * 10 : 0;
}

int hitsButton(std::optional<bool> showAllHits) {
    if (!showAllHits) return noButton;
    return *showAllHits ? allHitsButton : oneHitOnlyButton;
}

std::optional<bool> showAllHitsOfButton(int button) {
    if (button == allHitsButton) return true;
    if (button == oneHitOnlyButton) return false;
    return std::nullopt;
}

}  // namespace tessaly
