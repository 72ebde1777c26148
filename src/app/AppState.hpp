#pragma once
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/AITab.hpp"
#include "app/PaneLayout.hpp"
#include "window/MainWindowControl.hpp"
#include "platform/LoginItem.hpp"
#include "platform/NotificationCenter.hpp"
#include "platform/Observable.hpp"
#include "platform/PreferenceStore.hpp"
#include "window/DockNotifications.hpp"

namespace corvina {

class CustomTabManager;

enum class SidebarPosition { left, right };
enum class DetailPanelType { settings, clipboard, customTags, prompts };

// The state of the main window: tab bar, detail panel, the panes and what they show,
// docking, hidden services and starting at login.
class AppState {
public:
    static constexpr double sidebarWidth = 180;
    static constexpr double sidebarCollapsedWidth = 52;
    static constexpr double splitModeMinWidth = 1200;
    // Each further column asks for this much more width, so columns stay usable.
    static constexpr double extraColumnWidth = 566;

    AppState(PreferenceStore& preferences, LoginItem& loginItem, NotificationCenter& notifications,
             const CustomTabManager& customTabs);
    ~AppState();

    const Published<bool>& showSidebar() const { return showSidebar_; }
    const Published<bool>& showDetailPanel() const { return showDetailPanel_; }
    const Published<DetailPanelType>& detailPanelType() const { return detailPanelType_; }
    PaneLayout& panes() { return panes_; }
    const PaneLayout& panes() const { return panes_; }
    const Published<SidebarPosition>& sidebarPosition() const { return sidebarPosition_; }
    const Published<DockSide>& dockSide() const { return dockSide_; }
    const Published<bool>& launchAtLogin() const { return launchAtLogin_; }
    const Published<bool>& autoDockOnLaunch() const { return autoDockOnLaunch_; }
    const Published<std::set<std::string>>& hiddenAITabIDs() const { return hiddenAITabIDs_; }
    // Nothing of the window is seen: minimised, or docked and slid in. Pages then rest.
    const Published<bool>& isWindowOutOfSight() const { return isWindowOutOfSight_; }
    // The tab bar row under the pointer, a likely next choice; never stored.
    const Published<std::optional<std::string>>& pointedTabID() const { return pointedTabID_; }

    void setShowSidebar(bool show);
    void setShowDetailPanel(bool show) { showDetailPanel_.set(show); }
    void setDetailPanelType(DetailPanelType type) { detailPanelType_.set(type); }
    void setSidebarPosition(SidebarPosition position);
    void setLaunchAtLogin(bool launch);
    void setAutoDockOnLaunch(bool autoDock);
    void setHiddenAITabIDs(std::set<std::string> hidden);
    void setPointedTabID(std::optional<std::string> id) { pointedTabID_.set(std::move(id)); }
    void setWindowMinimized(bool minimized);

    // The tab bar's rows in order: built-in services not hidden, then the custom tags.
    std::vector<AITab> visibleTabs() const;
    // The pane the next selection goes to, and the tab it shows (empty when none).
    Pane currentPane() const { return panes_.activePane(); }
    std::string currentTabID() const;

    // Shows the service in the active pane.
    void selectTab(const std::string& id);
    void selectFirstVisibleTab();
    // The row at `position` (from 0) of the tab bar, if there is one.
    void selectTabAt(std::size_t position);
    void selectLastTab();
    // The row `step` rows after (or before) the current pane's, wrapping around the bar.
    void selectNeighbourTab(int step);
    // Makes the pane active where one shows the service (the one that shows this copy of
    // its page, if that is known); otherwise the active pane shows it. The window comes out
    // from its edge when docked.
    void showService(const std::string& id, std::optional<std::size_t> copy = std::nullopt);
    // Whether the pane is on screen now: the window is in sight, and no other pane is
    // enlarged over it or alone in a docked window.
    bool isPaneInView(Pane pane) const;
    // Whether a pane in view shows the service.
    bool isServiceInView(const std::string& id) const;
    void toggleSidebar() { setShowSidebar(!showSidebar_.get()); }
    void toggleDetailPanel() { showDetailPanel_.set(!showDetailPanel_.get()); }
    void openDetailPanel() { showDetailPanel_.set(true); }
    // Opens the panel on `type`, or closes it when it already shows that kind.
    void toggleDetailPanel(DetailPanelType type);
    // One pane ↔ two.
    void toggleSplit();
    // Widens the window first when the columns would be narrow, where the window can be
    // placed.
    void chooseArrangement(PaneArrangement arrangement);
    // The arrangement that fits the services, one in each, widened as above.
    void showSideBySide(const std::vector<std::string>& ids);
    // The width a window needs for this many columns of usable size.
    static double minimumWidthFor(int columns);
    void dockWindow(DockSide side);
    void undockWindow();
    // A docked window comes out from its edge, or goes back in; nothing when not docked.
    void bringWindowOut();
    void putWindowAway();

    // The main window, once it is set up; null until then. Reached only while it lives.
    void setWindowControl(MainWindowControl* control) {
        windowControl_ = control ? control->handle() : MainWindowControl::Handle();
    }
    // Whether the desktop lets the app place its window (not on Wayland, nor under a window
    // manager that ignores our moves): docking is offered only where it can work.
    const Published<bool>& canPlaceWindow() const { return canPlaceWindow_; }
    void setCanPlaceWindow(bool can) { canPlaceWindow_.set(can); }

private:
    PreferenceStore& preferences_;
    LoginItem& loginItem_;
    const CustomTabManager& customTabs_;
    MainWindowControl::Handle windowControl_;
    WeakOwner<AppState> owner_{this};

    Published<bool> showSidebar_{true};
    Published<bool> showDetailPanel_{false};
    Published<DetailPanelType> detailPanelType_{DetailPanelType::settings};
    Published<SidebarPosition> sidebarPosition_{SidebarPosition::left};
    Published<DockSide> dockSide_{DockSide::none};
    Published<bool> launchAtLogin_{false};
    Published<bool> autoDockOnLaunch_{false};
    Published<std::set<std::string>> hiddenAITabIDs_;
    PaneLayout panes_;
    Published<std::optional<std::string>> pointedTabID_;
    void setSlidIn(bool slidIn);
    bool isVisibleTab(const std::string& id) const;
    bool exists(const std::string& id) const;
    void dropServicesNotShown();
    void widenThen(int columns, std::function<void(AppState&)> then);

    bool isMinimized_ = false;
    bool isSlidIn_ = false;
    Published<bool> isWindowOutOfSight_{false};
    Published<bool> canPlaceWindow_{true};
    DockSide requestedDockSide_ = DockSide::none;
    ObserverToken dockObserver_;
    ObserverToken refusalObserver_;
    ObserverToken dockExitObserver_;
    ObserverToken slideInObserver_;
    ObserverToken slideOutObserver_;
    ScopedConnection customTabsWatch_;
};

}  // namespace corvina
