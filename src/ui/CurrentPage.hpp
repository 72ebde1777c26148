#pragma once
#include "app/AppState.hpp"
#include "web/WebViewStore.hpp"

namespace corvina {

// The page commands (back, forward, reload, start page) act on the page of the current
// service in the active pane, when it has one.
inline void onCurrentPage(const AppState& state, WebViewStore& store, void (ServicePage::*operation)()) {
    if (auto* page = store.existingPage({state.currentTabID(), state.currentPane()})) (page->*operation)();
}

inline void reloadCurrentStartPage(const AppState& state, WebViewStore& store) {
    if (auto* page = store.existingPage({state.currentTabID(), state.currentPane()}))
        page->loadStartAddress(store.startURL(page->key().serviceID));
}

}  // namespace corvina
