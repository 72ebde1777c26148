#include "app/PageZoom.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace corvina {

namespace {

constexpr const char* levelsKey = "pageZoomLevels";
constexpr std::array steps = {0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0};
// Levels closer than this count as the same step (stored factors are rounded).
constexpr double sameStep = 0.005;

std::map<std::string, double> storedLevels(const PreferenceStore& preferences) {
    std::map<std::string, double> levels;
    const auto stored = preferences.rawValue(levelsKey);
    if (!stored || !stored->is_object()) return levels;
    for (const auto& [id, value] : stored->items()) {
        if (!value.is_number()) continue;
        const double level = value.get<double>();
        // A hand-edited file cannot make a page unreadably small or large.
        if (level >= PageZoom::smallest && level <= PageZoom::largest) levels[id] = level;
    }
    return levels;
}

}  // namespace

PageZoom::PageZoom(PreferenceStore& preferences) : preferences_(preferences), levels_(storedLevels(preferences)) {}

double PageZoom::level(const std::string& tabID) const {
    const auto found = levels_.get().find(tabID);
    return found == levels_.get().end() ? 1.0 : found->second;
}

void PageZoom::zoomIn(const std::string& tabID) {
    const double current = level(tabID);
    for (double step : steps) {
        if (step > current + sameStep) return set(tabID, step);
    }
}

void PageZoom::zoomOut(const std::string& tabID) {
    const double current = level(tabID);
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        if (*step < current - sameStep) return set(tabID, *step);
    }
}

void PageZoom::reset(const std::string& tabID) { set(tabID, 1.0); }

void PageZoom::set(const std::string& tabID, double level) {
    if (tabID.empty()) return;
    auto levels = levels_.get();
    if (std::abs(level - 1.0) < sameStep)
        levels.erase(tabID);
    else
        levels[tabID] = level;
    preferences_.setRaw(levelsKey, nlohmann::json(levels));
    levels_.set(std::move(levels));
}

double narrowPaneScale(int paneWidthPx, bool keepDesktopLayout) {
    if (!keepDesktopLayout || paneWidthPx >= desktopLayoutWidth) return 1.0;
    return std::max(smallestNarrowPaneScale, static_cast<double>(paneWidthPx) / desktopLayoutWidth);
}

std::string zoomPercentText(double level) { return std::to_string(std::lround(level * 100)) + " %"; }

}  // namespace corvina
