#include "app/AppState.hpp"

#include <nlohmann/json.hpp>

#include "app/AITab.hpp"
#include "app/CustomTabManager.hpp"

namespace corvina {

AppState::AppState(PreferenceStore& preferences, LoginItem& loginItem, NotificationCenter& notifications,
                   const CustomTabManager& customTabs)
    : preferences_(preferences), loginItem_(loginItem), customTabs_(customTabs),
      panes_(preferences) {
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
    dropServicesNotShown();
    // A removed tag leaves the panes that showed it.
    customTabsWatch_ = customTabs.customTabs().observe(
        [this] { panes_.keepOnly([this](const std::string& id) { return exists(id); }); });

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
    dropServicesNotShown();
}

// One pane alone always shows something, as long as there is a service to show.
void AppState::dropServicesNotShown() {
    panes_.keepOnly([this](const std::string& id) { return isVisibleTab(id); });
    if (!panes_.isSplit() && !panes_.serviceIn(0)) selectFirstVisibleTab();
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

void AppState::selectTab(const std::string& id) { panes_.show(panes_.activePane(), id); }

bool AppState::isVisibleTab(const std::string& id) const { return !hiddenAITabIDs_.get().contains(id) && exists(id); }

bool AppState::exists(const std::string& id) const {
    if (findBuiltInTab(id)) return true;
    const auto& tags = customTabs_.customTabs().get();
    return std::any_of(tags.begin(), tags.end(), [&id](const CustomTab& tag) { return tag.id == id; });
}

std::vector<AITab> AppState::visibleTabs() const {
    std::vector<AITab> tabs;
    for (const auto& tab : builtInTabs())
        if (!hiddenAITabIDs_.get().contains(tab.id)) tabs.push_back(tab);
    for (const auto& tag : customTabs_.customTabs().get()) tabs.push_back(tabRecord(tag));
    return tabs;
}

std::string AppState::currentTabID() const { return panes_.serviceIn(panes_.activePane()).value_or(""); }

void AppState::selectFirstVisibleTab() {
    const auto tabs = visibleTabs();
    if (!tabs.empty()) selectTab(tabs.front().id);
}

void AppState::showService(const std::string& id, std::optional<std::size_t> copy) {
    if (isVisibleTab(id)) {
        const auto showing = panes_.panesShowing(id);
        const auto pane = copy ? panes_.paneShowingCopy(id, *copy) : std::nullopt;
        if (pane)
            panes_.setActive(*pane);
        else if (!showing.empty())
            panes_.setActive(showing.front());
        else
            selectTab(id);
    }
    bringWindowOut();
}

void AppState::bringWindowOut() {
    if (auto* control = windowControl_.get()) control->bringOut();
}

void AppState::putWindowAway() {
    if (auto* control = windowControl_.get()) control->putAway();
}

bool AppState::isPaneInView(Pane pane) const {
    if (isWindowOutOfSight_.get() || pane >= panes_.paneCount()) return false;
    if (const auto enlarged = panes_.enlargedPane()) return pane == *enlarged;
    if (dockSide_.get() != DockSide::none) return pane == panes_.activePane();
    return true;
}

bool AppState::isServiceInView(const std::string& id) const {
    const auto panes = panes_.panesShowing(id);
    return std::any_of(panes.begin(), panes.end(), [this](Pane pane) { return isPaneInView(pane); });
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

void AppState::toggleSplit() {
    chooseArrangement(panes_.isSplit() ? PaneArrangement::single : PaneArrangement::two);
}

double AppState::minimumWidthFor(int columns) {
    return columns < 2 ? 0 : splitModeMinWidth + (columns - 2) * extraColumnWidth;
}

void AppState::chooseArrangement(PaneArrangement arrangement) {
    widenThen(shapeOf(arrangement).columns, [arrangement](AppState& self) { self.panes_.arrange(arrangement); });
}

void AppState::showSideBySide(const std::vector<std::string>& ids) {
    widenThen(shapeOf(arrangementFitting(ids.size())).columns,
              [ids](AppState& self) { self.panes_.arrangeSideBySide(ids); });
}

void AppState::widenThen(int columns, std::function<void(AppState&)> then) {
    auto* control = windowControl_.get();
    if (!control || columns < 2) return then(*this);
    control->widenForSplit(minimumWidthFor(columns), owner_.bind(std::move(then)));
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
