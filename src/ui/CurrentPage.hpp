#pragma once
#include "app/AppState.hpp"
#include "web/WebViewStore.hpp"

namespace corvina {

// The page the active pane shows, when it has one.
inline ServicePage* currentPage(const AppState& state, const WebViewStore& store) {
    const auto& panes = state.panes();
    return store.existingPage({state.currentTabID(), panes.copyShownIn(panes.activePane())});
}

// The page commands (back, forward, reload, start page) act on the page of the current
// service in the active pane, when it has one.
inline void onCurrentPage(const AppState& state, WebViewStore& store, void (ServicePage::*operation)()) {
    if (auto* page = currentPage(state, store)) (page->*operation)();
}

inline void reloadCurrentStartPage(const AppState& state, WebViewStore& store) {
    if (auto* page = currentPage(state, store)) page->loadStartAddress(store.startURL(page->key().serviceID));
}

}  // namespace corvina
