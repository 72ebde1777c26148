#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <map>

#include <gtkmm/window.h>

#include "integration/GtkEnvironment.hpp"
#include "app/AppContext.hpp"
#include "app/AppSettings.hpp"
#include "app/LocalizationManager.hpp"
#include "integration/AppProcess.hpp"
#include "integration/LocalServer.hpp"
#include "panels/ClipboardManager.hpp"
#include "panels/CustomTabManager.hpp"
#include "platform/NotificationCenter.hpp"
#include "support/Fakes.hpp"
#include "web/DownloadSettings.hpp"
#include "web/WebViewStore.hpp"

namespace corvina::testing {

// All the app's state objects over private folders, with the built-in services hidden and
// three custom tags served by a local server, so nothing leaves the machine.
class StateFixture : public ::testing::Test {
protected:
    StateFixture();
    ~StateFixture() override;

    // Shows a view in a window of its own, as the main window would.
    Gtk::Window& show(Gtk::Widget& view, int width = 1200, int height = 800);
    WebViewStore& store() { return state.webViewStore(); }
    bool loaded(const std::string& id, Pane pane) {
        return eventually([&] { return !store().isTabLoading(id, pane); }, std::chrono::seconds(15));
    }
    static std::string tagID(const std::string& name) { return "custom_" + name; }

    TempDir dir;
    LocalServer server;
    std::map<std::string, std::atomic<int>> hits;
    GlibMainQueue queue;
    NotificationCenter notifications{queue};
    PreferenceStore preferences{dir / "preferences.json"};
    FakePasteboard pasteboard;
    FakeLoginItem login;
    LocalizationManager localization{preferences};
    AppSettings settings{preferences};
    CustomTabManager customTabs{preferences};
    ClipboardManager clipboard{pasteboard, queue};
    DownloadSettings downloads{preferences, queue, dir / "Downloads"};
    AppState state{preferences, login, notifications, customTabs,
                   std::make_unique<WebViewStore>(queue, localization, downloads, customTabs,
                                                  WebViewStore::Folders{dir / "web", dir / "cache"},
                                                  displayDrawingMode())};
    AppContext context{queue, notifications, preferences, pasteboard, state, settings, localization, clipboard,
                       customTabs, downloads};
    std::vector<std::unique_ptr<Gtk::Window>> windows;
};

}  // namespace corvina::testing
