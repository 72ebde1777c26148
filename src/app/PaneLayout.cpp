#include "app/PaneLayout.hpp"

#include <algorithm>
#include <array>

#include <nlohmann/json.hpp>

namespace corvina {

namespace {

struct ArrangementEntry {
    PaneArrangement arrangement;
    const char* name;
    ArrangementShape shape;
};

constexpr std::array<ArrangementEntry, 6> arrangements{{
    {PaneArrangement::single, "1", {1, 1}},
    {PaneArrangement::two, "2", {2, 1}},
    {PaneArrangement::three, "3", {3, 1}},
    {PaneArrangement::grid2x2, "2x2", {2, 2}},
    {PaneArrangement::grid3x2, "3x2", {3, 2}},
    {PaneArrangement::twoRows, "2rows", {1, 2}},
}};

const ArrangementEntry& entryOf(PaneArrangement arrangement) {
    return *std::find_if(arrangements.begin(), arrangements.end(),
                         [arrangement](const auto& entry) { return entry.arrangement == arrangement; });
}

// The stored services, one per pane: a JSON array of ids and nulls, stored as text as the
// other lists are (or, written by hand, as the array itself).
std::optional<PaneLayout::Slots> storedSlots(const PreferenceStore& preferences, std::size_t panes) {
    auto value = preferences.rawValue("paneTabIDs");
    if (!value) return std::nullopt;
    if (value->is_string()) value = nlohmann::json::parse(value->get<std::string>(), nullptr, false);
    if (!value->is_array() || value->size() != panes) return std::nullopt;
    PaneLayout::Slots slots;
    for (const auto& item : *value) {
        if (item.is_null())
            slots.emplace_back();
        else if (item.is_string())
            slots.emplace_back(item.get<std::string>());
        else
            return std::nullopt;
    }
    return slots;
}

}  // namespace

ArrangementShape shapeOf(PaneArrangement arrangement) { return entryOf(arrangement).shape; }

std::string arrangementName(PaneArrangement arrangement) { return entryOf(arrangement).name; }

std::optional<PaneArrangement> arrangementNamed(const std::string& name) {
    for (const auto& entry : arrangements)
        if (name == entry.name) return entry.arrangement;
    return std::nullopt;
}

const std::vector<PaneArrangement>& allArrangements() {
    static const std::vector<PaneArrangement> all = [] {
        std::vector<PaneArrangement> list;
        for (const auto& entry : arrangements) list.push_back(entry.arrangement);
        return list;
    }();
    return all;
}

PaneArrangement arrangementFitting(std::size_t count) {
    if (count <= 1) return PaneArrangement::single;
    if (count == 2) return PaneArrangement::two;
    if (count == 3) return PaneArrangement::three;
    if (count == 4) return PaneArrangement::grid2x2;
    return PaneArrangement::grid3x2;
}

PaneLayout::PaneLayout(PreferenceStore& preferences) : preferences_(preferences) {
    const auto name = preferences.stringValue("paneLayout");
    const auto arrangement = name ? arrangementNamed(*name) : std::nullopt;
    if (!arrangement) return;
    auto slots = storedSlots(preferences, shapeOf(*arrangement).panes());
    if (!slots) return;
    arrangement_ = *arrangement;
    slots_ = std::move(*slots);
    resetOrder();
}

// Restored or laid out anew, the panes count as shown in reading order.
void PaneLayout::resetOrder() {
    shownSince_.resize(slots_.size());
    for (std::size_t i = 0; i < slots_.size(); ++i) shownSince_[i] = i;
    changes_ = slots_.size();
}

void PaneLayout::showSince(Pane pane) { shownSince_[pane] = changes_++; }

std::optional<std::string> PaneLayout::serviceIn(Pane pane) const {
    return pane < slots_.size() ? slots_[pane] : std::nullopt;
}

std::vector<Pane> PaneLayout::panesShowing(const std::string& id) const {
    std::vector<Pane> panes;
    for (Pane pane = 0; pane < slots_.size(); ++pane)
        if (slots_[pane] == id) panes.push_back(pane);
    return panes;
}

std::size_t PaneLayout::copyShownIn(Pane pane) const {
    const auto id = serviceIn(pane);
    if (!id) return 0;
    std::size_t earlier = 0;
    for (Pane other = 0; other < slots_.size(); ++other)
        if (other != pane && slots_[other] == id &&
            std::pair(shownSince_[other], other) < std::pair(shownSince_[pane], pane))
            ++earlier;
    return earlier;
}

std::optional<Pane> PaneLayout::paneShowingCopy(const std::string& id, std::size_t copy) const {
    for (const Pane pane : panesShowing(id))
        if (copyShownIn(pane) == copy) return pane;
    return std::nullopt;
}

void PaneLayout::arrange(PaneArrangement arrangement) {
    const std::size_t before = slots_.size();
    arrangement_ = arrangement;
    slots_.resize(shapeOf(arrangement).panes());
    shownSince_.resize(slots_.size());
    for (Pane pane = before; pane < slots_.size(); ++pane) showSince(pane);
    if (slots_.size() > before)
        active_ = before;
    else
        active_ = std::min(active_, slots_.size() - 1);
    if (enlarged_ && *enlarged_ >= slots_.size()) enlarged_.reset();
    if (slots_.size() == 1) enlarged_.reset();
    changed();
}

void PaneLayout::arrangeSideBySide(const std::vector<std::string>& ids) {
    arrangement_ = arrangementFitting(ids.size());
    slots_.assign(shapeOf(arrangement_).panes(), std::nullopt);
    std::copy_n(ids.begin(), std::min(ids.size(), slots_.size()), slots_.begin());
    resetOrder();
    active_ = 0;
    enlarged_.reset();
    changed();
}

void PaneLayout::show(Pane pane, std::optional<std::string> id) {
    if (pane >= slots_.size()) return;
    if (slots_[pane] != id) showSince(pane);
    slots_[pane] = std::move(id);
    changed();
}

void PaneLayout::setActive(Pane pane) {
    if (pane >= slots_.size() || pane == active_) return;
    active_ = pane;
    changed_.emit();
}

void PaneLayout::moveActive(int step) {
    const auto count = static_cast<long>(slots_.size());
    setActive(static_cast<Pane>(((static_cast<long>(active_) + step) % count + count) % count));
}

void PaneLayout::moveActiveRow(int step) {
    const auto [columns, rows] = shape();
    const int row = static_cast<int>(active_) / columns;
    const int column = static_cast<int>(active_) % columns;
    setActive(static_cast<Pane>(((row + step) % rows + rows) % rows * columns + column));
}

void PaneLayout::enlarge(Pane pane) {
    if (pane >= slots_.size() || slots_.size() == 1) return;
    enlarged_ = pane;
    active_ = pane;
    changed_.emit();
}

void PaneLayout::restore() {
    if (!enlarged_) return;
    enlarged_.reset();
    changed_.emit();
}

void PaneLayout::toggleEnlarged() {
    if (enlarged_)
        restore();
    else
        enlarge(active_);
}

void PaneLayout::keepOnly(const std::function<bool(const std::string&)>& canStay) {
    bool dropped = false;
    for (auto& slot : slots_)
        if (slot && !canStay(*slot)) {
            slot.reset();
            dropped = true;
        }
    if (dropped) changed();
}

// Written on every change of what the panes show, so it survives however the run ends.
void PaneLayout::changed() {
    nlohmann::json ids = nlohmann::json::array();
    for (const auto& slot : slots_) ids.push_back(slot ? nlohmann::json(*slot) : nlohmann::json());
    preferences_.setString("paneLayout", arrangementName(arrangement_));
    preferences_.setString("paneTabIDs", ids.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
    changed_.emit();
}

}  // namespace corvina
