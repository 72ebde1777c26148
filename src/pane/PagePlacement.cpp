#include "pane/PagePlacement.hpp"

#include <set>

#include "app/AppSettings.hpp"
#include "app/AppState.hpp"
#include "app/CustomTabManager.hpp"
#include "pane/WebBrowserContainerView.hpp"
#include "web/WebViewStore.hpp"

namespace corvina {

namespace {

constexpr Milliseconds oneFrame{16};

}  // namespace

PagePlacement::PagePlacement(AppContext& context) : context_(context) {
    const auto placeSlot = [this] { place(); };
    auto& store = context.webViewStore;
    connections_ += context.appState.panes().observe(placeSlot);
    connections_ += context.appState.hiddenAITabIDs().observe(placeSlot);
    connections_ += context.customTabManager.customTabs().observe(placeSlot);
    connections_ += store.observePages(placeSlot);
    connections_ += store.sleepingTabIDs().observe(placeSlot);
    connections_ += context.appSettings.loadServicesWhenOpened().observe(placeSlot);
}

PagePlacement::~PagePlacement() { connections_.clear(); }

void PagePlacement::attach(Pane pane, WebBrowserContainerView& container) { containers_[pane] = &container; }

void PagePlacement::detach(Pane pane) { containers_.erase(pane); }

void PagePlacement::place() {
    if (placing_) {
        again_ = true;
        return;
    }
    placing_ = true;
    do {
        again_ = false;
        placeOnce();
    } while (again_);
    placing_ = false;
}

void PagePlacement::placeOnce() {
    endUnshownCopies();
    const auto& panes = context_.appState.panes();
    auto& store = context_.webViewStore;
    const auto tabs = context_.appState.visibleTabs();
    std::map<Pane, WebBrowserContainerView::Pages> wanted;
    std::set<std::string> shown;
    // A pane beyond the arrangement (about to go) holds nothing.
    for (const auto& [pane, container] : containers_) {
        const auto id = panes.serviceIn(pane);
        const auto tab = std::find_if(tabs.begin(), tabs.end(), [&id](const AITab& t) { return t.id == id; });
        if (tab == tabs.end()) continue;
        const std::size_t copy = panes.copyShownIn(pane);
        wanted[pane][{tab->id, copy}] = GTK_WIDGET(store.page(*tab, copy).view());
        if (copy == 0) shown.insert(tab->id);
    }
    const Pane waitingRoom = panes.activePane();
    bool morePending = false;
    for (const auto& tab : tabs) {
        if (shown.contains(tab.id)) continue;
        if (auto* page = store.existingPage({tab.id, 0})) {
            if (containers_.contains(waitingRoom)) wanted[waitingRoom][{tab.id, 0}] = GTK_WIDGET(page->view());
        } else {
            morePending = morePending || waitsForBackgroundLoad(tab.id);
        }
    }
    // A page leaves its old pane before it joins its new one.
    for (const auto& [pane, container] : containers_) container->letGoAllBut(wanted[pane]);
    for (const auto& [pane, container] : containers_) container->hold(wanted[pane]);
    if (morePending && !creating_.active()) creating_ = context_.queue.after(oneFrame, [this] { createNextPage(); });
}

// A copy goes once fewer panes show its service than it needs.
void PagePlacement::endUnshownCopies() {
    auto& store = context_.webViewStore;
    const auto& panes = context_.appState.panes();
    for (const auto& key : store.pageKeys())
        if (key.copy > 0 && !panes.paneShowingCopy(key.serviceID, key.copy)) store.removePage(key);
}

bool PagePlacement::waitsForBackgroundLoad(const std::string& id) const {
    const auto& store = context_.webViewStore;
    const PageKey key{id, 0};
    return !context_.appSettings.loadServicesWhenOpened().get() && !store.existingPage(key) && !store.isAsleep(key);
}

void PagePlacement::createNextPage() {
    creating_.reset();
    for (const auto& tab : context_.appState.visibleTabs())
        if (waitsForBackgroundLoad(tab.id)) {
            context_.webViewStore.page(tab);
            return;
        }
}

}  // namespace corvina
