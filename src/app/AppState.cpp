#include "app/AppState.hpp"

#include <nlohmann/json.hpp>

#include "app/AITab.hpp"
#include "app/CustomTabManager.hpp"

namespace corvina {

AppState::AppState(PreferenceStore& preferences, LoginItem& loginItem, NotificationCenter& notifications,
                   const CustomTabManager& customTabs)
    : preferences_(preferences), loginItem_(loginItem), customTabs_(customTabs) {
    const auto& catalogue = builtInTabs();
    selectedTabID_.set(catalogue.empty() ? std::string() : catalogue.front().id);
    showSidebar_.set(preferences.boolValue("showSidebar").value_or(true));
    sidebarPosition_.set(preferences.stringValue("sidebarPosition") == "right" ? SidebarPosition::right
                                                                               : SidebarPosition::left);
    setLaunchAtLogin(preferences.boolValue("launchAtLogin").value_or(false));
    setAutoDockOnLaunch(preferences.boolValue("autoDockOnLaunch").value_or(false));

    if (const auto stored = preferences.stringValue("hiddenAITabIDs")) {
        const auto array = nlohmann::json::parse(*stored, nullptr, false);
        if (array.is_array() && std::all_of(array.begin(), array.end(), [](const auto& v) { return v.is_string(); }))
            setHiddenAITabIDs(std::set<std::string>(array.begin(), array.end()));
    }

    dockObserver_ = notifications.addObserver(windowDidDockNotification,
                                              [this] { dockSide_.set(requestedDockSide_); });
    refusalObserver_ = notifications.addObserver(windowCannotBePlacedNotification, [this] { setCanPlaceWindow(false); });
    dockExitObserver_ = notifications.addObserver(windowDidExitDockModeNotification, [this] {
        dockSide_.set(DockSide::none);
        setSlidIn(false);
    });
    slideInObserver_ = notifications.addObserver(windowDidSlideInNotification, [this] { setSlidIn(true); });
    slideOutObserver_ = notifications.addObserver(windowWillSlideOutNotification, [this] { setSlidIn(false); });
}

AppState::~AppState() = default;

void AppState::setShowSidebar(bool show) {
    showSidebar_.set(show);
    preferences_.setBool("showSidebar", show);
}

void AppState::setSidebarPosition(SidebarPosition position) {
    sidebarPosition_.set(position);
    preferences_.setString("sidebarPosition", position == SidebarPosition::right ? "right" : "left");
}

void AppState::setLaunchAtLogin(bool launch) {
    launchAtLogin_.set(launch);
    preferences_.setBool("launchAtLogin", launch);
    // A refusal of the system is dropped: the setting keeps the user's choice.
    if (launch)
        loginItem_.registerItem();
    else
        loginItem_.unregisterItem();
    setAutoDockOnLaunch(launch);
}

void AppState::setAutoDockOnLaunch(bool autoDock) {
    autoDockOnLaunch_.set(autoDock);
    preferences_.setBool("autoDockOnLaunch", autoDock);
}

void AppState::setHiddenAITabIDs(std::set<std::string> hidden) {
    hiddenAITabIDs_.set(std::move(hidden));
    const auto& ids = hiddenAITabIDs_.get();
    preferences_.setString("hiddenAITabIDs",
                           nlohmann::json(ids).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
    if (ids.contains(selectedTabID_.get())) selectFirstVisibleTab();
    if (secondaryTabID_.get() && ids.contains(*secondaryTabID_.get())) secondaryTabID_.set(std::nullopt);
}

void AppState::setWindowMinimized(bool minimized) {
    if (minimized == isMinimized_) return;
    isMinimized_ = minimized;
    isWindowOutOfSight_.set(isMinimized_ || isSlidIn_);
}

void AppState::setSlidIn(bool slidIn) {
    isSlidIn_ = slidIn;
    isWindowOutOfSight_.set(isMinimized_ || isSlidIn_);
}

void AppState::selectTab(const std::string& id) {
    if (isSplitMode_.get() && activePane_.get() == Pane::secondary)
        secondaryTabID_.set(id);
    else
        selectedTabID_.set(id);
}

std::vector<AITab> AppState::visibleTabs() const {
    std::vector<AITab> tabs;
    for (const auto& tab : builtInTabs())
        if (!hiddenAITabIDs_.get().contains(tab.id)) tabs.push_back(tab);
    for (const auto& tag : customTabs_.customTabs().get()) tabs.push_back(tabRecord(tag));
    return tabs;
}

Pane AppState::currentPane() const { return isSplitMode_.get() ? activePane_.get() : Pane::primary; }

std::string AppState::currentTabID() const {
    const auto& secondary = secondaryTabID_.get();
    if (currentPane() == Pane::secondary && secondary) return *secondary;
    return selectedTabID_.get();
}

void AppState::selectFirstVisibleTab() {
    const auto tabs = visibleTabs();
    if (!tabs.empty()) selectedTabID_.set(tabs.front().id);
}

void AppState::showServiceIn(const std::string& id, Pane pane) {
    if (!hiddenAITabIDs_.get().contains(id)) {
        const bool secondary = pane == Pane::secondary && isSplitMode_.get();
        if (secondary)
            secondaryTabID_.set(id);
        else
            selectedTabID_.set(id);
        if (isSplitMode_.get()) activePane_.set(secondary ? Pane::secondary : Pane::primary);
    }
    if (auto* control = windowControl_.get()) control->bringOut();
}

bool AppState::isTabShown(const std::string& id, Pane pane) const {
    if (isWindowOutOfSight_.get()) return false;
    if (pane == Pane::primary) return selectedTabID_.get() == id;
    return isSplitMode_.get() && secondaryTabID_.get() == id;
}

void AppState::selectTabAt(std::size_t position) {
    const auto tabs = visibleTabs();
    if (position < tabs.size()) selectTab(tabs[position].id);
}

void AppState::selectLastTab() {
    const auto tabs = visibleTabs();
    if (!tabs.empty()) selectTab(tabs.back().id);
}

void AppState::selectNeighbourTab(int step) {
    const auto tabs = visibleTabs();
    if (tabs.empty()) return;
    const auto current = std::find_if(tabs.begin(), tabs.end(), [id = currentTabID()](const AITab& tab) {
        return tab.id == id;
    });
    const auto count = static_cast<long>(tabs.size());
    // From no row, the first step lands on the first or the last row.
    const long from = current == tabs.end() ? (step > 0 ? -1 : 0) : current - tabs.begin();
    selectTab(tabs[static_cast<std::size_t>(((from + step) % count + count) % count)].id);
}

void AppState::toggleDetailPanel(DetailPanelType type) {
    const bool showsIt = showDetailPanel_.get() && detailPanelType_.get() == type;
    if (!showsIt) detailPanelType_.set(type);
    showDetailPanel_.set(!showsIt);
}

void AppState::switchActivePane() {
    if (!isSplitMode_.get()) return;
    activePane_.set(activePane_.get() == Pane::primary ? Pane::secondary : Pane::primary);
}

void AppState::setSplitMode(bool on) {
    isSplitMode_.set(on);
    secondaryTabID_.set(std::nullopt);
    activePane_.set(on ? Pane::secondary : Pane::primary);
}

void AppState::enterSplitMode() {
    auto* control = windowControl_.get();
    if (!control) {
        enterSplitModeAnimated();
        return;
    }
    control->widenForSplit(splitModeMinWidth, owner_.bind([](AppState& self) { self.enterSplitModeAnimated(); }));
}

void AppState::dockWindow(DockSide side) {
    // The side counts once the window has got there.
    auto* control = windowControl_.get();
    if (side == DockSide::none || !control || !control->dock(side)) return;
    requestedDockSide_ = side;
}

void AppState::undockWindow() {
    auto* control = windowControl_.get();
    if (!control || !control->undock()) return;
    dockSide_.set(DockSide::none);
}

}  // namespace corvina
