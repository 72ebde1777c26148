#pragma once
#include <memory>
#include <set>
#include <vector>

#include <gtkmm/window.h>

#include "web/AppContext.hpp"
#include "app/AppSettings.hpp"
#include "app/AskSeveral.hpp"
#include "app/LocalizationManager.hpp"
#include "integration/EngineFolders.hpp"
#include "integration/GtkEnvironment.hpp"
#include "app/ClipboardManager.hpp"
#include "app/CustomTabManager.hpp"
#include "platform/NotificationCenter.hpp"
#include "support/Fakes.hpp"
#include "web/downloads/DownloadSettings.hpp"
#include "pane/PopupWindow.hpp"
#include "web/AskSeveralDelivery.hpp"
#include "web/WebViewStore.hpp"

namespace corvina::testing {

// Every state object of the app over private folders, as the application wires them, on
// the main queue the test chooses (the real one, or a clock that moves only when told).
template <typename Queue>
struct AppObjects {
    ~AppObjects() {
        for (auto& window : windows) window->destroy();
    }

    // Shows a view in a window of its own, as the main window would.
    Gtk::Window& show(Gtk::Widget& view, int width = 1200, int height = 800) {
        windows.push_back(std::make_unique<Gtk::Window>());
        windows.back()->set_default_size(width, height);
        windows.back()->set_child(view);
        windows.back()->present();
        return *windows.back();
    }
    void hideBuiltInServices() {
        std::set<std::string> all;
        for (const auto& tab : builtInTabs()) all.insert(tab.id);
        state.setHiddenAITabIDs(all);
    }
    WebViewStore& store() { return webViews; }
    // The web view of the service's page in the pane, if the page exists.
    WebKitWebView* existingView(const std::string& id, Pane pane = Pane::primary) const {
        auto* page = webViews.existingPage({id, pane});
        return page ? page->view() : nullptr;
    }
    bool isLoading(const std::string& id, Pane pane = Pane::primary) const {
        auto* page = webViews.existingPage({id, pane});
        return page && page->loading().get();
    }
    // The page of the tab in the pane has finished loading (or failed).
    bool loaded(const std::string& id, Pane pane = Pane::primary) {
        return eventually([&] { return !isLoading(id, pane); }, std::chrono::seconds(15));
    }

    TempDir dir;
    WebViewStore::Folders engine = engineFolders();
    Queue queue;
    NotificationCenter notifications{queue};
    PreferenceStore preferences{dir / "preferences.json"};
    FakePasteboard pasteboard;
    FakeLoginItem login;
    FakeDesktopDefaults desktop;
    LocalizationManager localization{preferences, desktop};
    AppSettings settings{preferences, desktop};
    CustomTabManager customTabs{preferences};
    ClipboardManager clipboard{pasteboard, queue};
    DownloadSettings downloads{preferences, queue, dir / "Downloads"};
    FakeUriLauncher launcher;
    FakeDesktopNotifier notifier;
    FakeNetworkState network;
    WebViewStore webViews{queue, localization, downloads, customTabs.customTabs(), settings,
                          engine, displayDrawingMode(),
                          WebViewStore::Desktop{launcher, notifier, network, PopupWindow::maker()}};
    AppState state{preferences, login, notifications, customTabs};
    AskSeveral askSeveral{preferences, state, customTabs};
    AskSeveralDelivery askSeveralDelivery{webViews, state};
    AppContext context{queue,     notifications, preferences, pasteboard, state,    settings,   localization,
                       clipboard, customTabs,    downloads,   webViews,   askSeveral, askSeveralDelivery};
    std::vector<std::unique_ptr<Gtk::Window>> windows;
};

}  // namespace corvina::testing
