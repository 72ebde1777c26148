#pragma once
#include <gtest/gtest.h>

#include <gtk/gtk.h>

#include "integration/GtkEnvironment.hpp"
#include "app/AppSettings.hpp"
#include "app/LocalizationManager.hpp"
#include "integration/AppProcess.hpp"
#include "integration/EngineFolders.hpp"
#include "integration/LocalServer.hpp"
#include "panels/CustomTabManager.hpp"
#include "platform/MainQueue.hpp"
#include "support/Fakes.hpp"
#include "web/DownloadSettings.hpp"
#include "web/WebViewStore.hpp"

namespace corvina::testing {

// Runs a script in the page and returns its result as text.
std::string evaluateScript(WebKitWebView* view, const std::string& script);

// The engine's web processes under this test process (through the sandbox launcher).
std::vector<int> webProcessIDs();
// The engine's network processes under this test process.
std::vector<int> networkProcessIDs();

// The real store and engine over private folders, with pages from a local server.
class WebFixture : public ::testing::Test {
protected:
    WebFixture()
        : downloadsFolder(dir / "Downloads"),
          preferences(dir / "preferences.json"),
          localization(preferences),
          downloads(preferences, queue, downloadsFolder),
          customTabs(preferences),
          settings(preferences),
          store(queue, localization, downloads, customTabs, settings, engine, displayDrawingMode(),
                {launcher, notifier}) {}

    ~WebFixture() override {
        for (auto* window : windows) gtk_window_destroy(window);
    }

    AITab tab(const std::string& id, const std::string& path) { return AITab{id, server.url(path), id, id, id, "x.circle.fill"}; }

    // Puts a web view in a window of its own, as a pane would.
    GtkWindow* show(WebKitWebView* view) {
        auto* window = GTK_WINDOW(gtk_window_new());
        gtk_window_set_default_size(window, 800, 600);
        gtk_window_set_child(window, GTK_WIDGET(view));
        gtk_window_present(window);
        windows.push_back(window);
        return window;
    }

    bool finishesLoading(const std::string& id, Pane pane = Pane::primary) {
        return eventually([&] { return !store.isTabLoading(id, pane); }, std::chrono::seconds(15));
    }

    std::string evaluate(WebKitWebView* view, const std::string& script) { return evaluateScript(view, script); }

    std::vector<std::string> downloadedFiles() const;
    // Lets the engine settle, so that something that should not happen had its chance.
    void settle(std::chrono::milliseconds time = std::chrono::milliseconds(600)) { runLoopFor(time); }

    TempDir dir;
    WebViewStore::Folders engine = engineFolders();
    std::filesystem::path downloadsFolder;
    LocalServer server;
    GlibMainQueue queue;
    PreferenceStore preferences;
    LocalizationManager localization;
    DownloadSettings downloads;
    CustomTabManager customTabs;
    AppSettings settings;
    FakeUriLauncher launcher;
    FakeDesktopNotifier notifier;
    WebViewStore store;
    std::vector<GtkWindow*> windows;
};

}  // namespace corvina::testing
