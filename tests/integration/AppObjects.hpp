#pragma once
#include <memory>
#include <set>
#include <vector>

#include <gtkmm/window.h>

#include "integration/EngineFolders.hpp"
#include "integration/GtkEnvironment.hpp"
#include "pane/PopupWindow.hpp"
#include "support/Fakes.hpp"
#include "web/AppCore.hpp"

namespace corvina::testing {

// Every state object of the app over private folders, wired by the application's own code,
// on the main queue the test chooses (the real one, or a clock that moves only when told).
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
    // The web view of that copy of the service's page, if the page exists.
    WebKitWebView* existingView(const std::string& id, std::size_t copy = 0) const {
        auto* page = webViews.existingPage({id, copy});
        return page ? page->view() : nullptr;
    }
    bool isLoading(const std::string& id, std::size_t copy = 0) const {
        auto* page = webViews.existingPage({id, copy});
        return page && page->loading().get();
    }
    // That copy of the service's page has finished loading (or failed).
    bool loaded(const std::string& id, std::size_t copy = 0) {
        return eventually([&] { return !isLoading(id, copy); }, std::chrono::seconds(15));
    }

    TempDir dir;
    WebViewStore::Folders engine = engineFolders();
    Queue queue;
    FakePasteboard pasteboard;
    FakeLoginItem login;
    FakeDesktopDefaults desktop;
    FakeUriLauncher launcher;
    FakeDesktopNotifier notifier;
    FakeNetworkState network;
    // The test's say on whether the window is the active one.
    bool windowActive = true;
    // Wired as the application wires them.
    AppCore core{AppSurroundings{queue, dir / "preferences.json", pasteboard, login, desktop, dir / "Downloads", engine,
                                 displayDrawingMode(),
                                 WebViewStore::Desktop{launcher, notifier, network, PopupWindow::maker()},
                                 [this] { return windowActive; }, dir / "prompts"}};
    NotificationCenter& notifications = core.notifications;
    PreferenceStore& preferences = core.preferences;
    LocalizationManager& localization = core.localization;
    AppSettings& settings = core.settings;
    CustomTabManager& customTabs = core.customTabs;
    ClipboardManager& clipboard = core.clipboard;
    DownloadSettings& downloads = core.downloads;
    WebViewStore& webViews = core.webViews;
    AppState& state = core.state;
    AskSeveral& askSeveral = core.askSeveral;
    AskRounds& rounds = core.rounds;
    AskSeveralDelivery& askSeveralDelivery = core.askSeveralDelivery;
    AnswerActivity& answerActivity = core.answerActivity;
    RoundActions& roundActions = core.roundActions;
    PromptLibrary& prompts = core.prompts;
    AppContext& context = core.context;
    std::vector<std::unique_ptr<Gtk::Window>> windows;
};

}  // namespace corvina::testing
