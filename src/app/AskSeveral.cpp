#include "app/AskSeveral.hpp"

#include "app/CustomTabManager.hpp"

namespace corvina {

namespace {

constexpr const char* targetsKey = "askSeveralTargets";

std::optional<std::set<std::string>> readTargets(const PreferenceStore& preferences) {
    const auto raw = preferences.rawValue(targetsKey);
    if (!raw || !raw->is_array()) return std::nullopt;
    std::set<std::string> ids;
    for (const auto& item : *raw)
        if (item.is_string()) ids.insert(item.get<std::string>());
    return ids;
}

}  // namespace

AskSeveral::AskSeveral(PreferenceStore& preferences, const AppState& state, const CustomTabManager& customTabs)
    : preferences_(preferences), state_(state), customTabs_(customTabs), stored_(readTargets(preferences)) {
    sideBySide_.set(preferences.boolValue("askSeveralSideBySide").value_or(true));
    const auto changed = [this] { choiceChanged_.emit(); };
    sources_ += state.panes().observe(changed);
    sources_ += state.hiddenAITabIDs().observe(changed);
    sources_ += customTabs.customTabs().observe(changed);
}

void AskSeveral::setSideBySide(bool on) {
    sideBySide_.set(on);
    preferences_.setBool("askSeveralSideBySide", on);
}

std::optional<std::vector<std::string>> AskSeveral::panesFor(const std::vector<AITab>& targets) const {
    if (!sideBySide_.get() || targets.size() < 2 || targets.size() > shapeOf(PaneArrangement::grid3x2).panes())
        return std::nullopt;
    std::vector<std::string> ids;
    for (const auto& tab : targets) ids.push_back(tab.id);
    return ids;
}

bool AskSeveral::exists(const std::string& id) const { return findBuiltInTab(id) || customTabs_.find(id); }

bool AskSeveral::isChosen(const std::string& id) const {
    if (stored_) return stored_->contains(id) && exists(id);
    return !state_.panes().panesShowing(id).empty();
}

std::vector<AITab> AskSeveral::targets() const {
    std::vector<AITab> chosen;
    for (const auto& tab : state_.visibleTabs())
        if (isChosen(tab.id)) chosen.push_back(tab);
    return chosen;
}

void AskSeveral::setChosen(const std::string& id, bool chosen) {
    std::set<std::string> ids;
    for (const auto& tab : state_.visibleTabs())
        if (tab.id != id && isChosen(tab.id)) ids.insert(tab.id);
    // Chosen services the tab bar hides stay chosen.
    if (stored_)
        for (const auto& kept : *stored_)
            if (kept != id && exists(kept)) ids.insert(kept);
    if (chosen && exists(id)) ids.insert(id);
    preferences_.setRaw(targetsKey, nlohmann::json(std::vector<std::string>(ids.begin(), ids.end())));
    stored_ = std::move(ids);
    choiceChanged_.emit();
}

void AskSeveral::setTargets(const std::vector<std::string>& ids) {
    std::set<std::string> chosen;
    for (const auto& id : ids)
        if (exists(id)) chosen.insert(id);
    preferences_.setRaw(targetsKey, nlohmann::json(std::vector<std::string>(chosen.begin(), chosen.end())));
    stored_ = std::move(chosen);
    choiceChanged_.emit();
}

void AskSeveral::remember(const std::string& prompt) {
    if (prompt.find_first_not_of(" \t\r\n") == std::string::npos) return;
    if (!history_.empty() && history_.front() == prompt) return;
    history_.push_front(prompt);
    if (history_.size() > historyLength) history_.pop_back();
}

std::optional<std::string> AskSeveral::recalled(std::size_t back) const {
    if (back == 0 || back > history_.size()) return std::nullopt;
    return history_[back - 1];
}

}  // namespace corvina
