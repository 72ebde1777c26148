#pragma once
#include <gtest/gtest.h>

#include "integration/AppObjects.hpp"
#include "integration/AppProcess.hpp"
#include "integration/LocalServer.hpp"

namespace corvina::testing {

// Runs a script in the page (in the page's own world unless `world` names another) and
// returns its result as text.
std::string evaluateScript(WebKitWebView* view, const std::string& script, const char* world = nullptr);

// The engine's web processes under this test process (through the sandbox launcher).
std::vector<int> webProcessIDs();
// The engine's network processes under this test process.
std::vector<int> networkProcessIDs();

// The app's objects over private folders, with pages from a local server.
class WebFixture : public ::testing::Test, protected AppObjects<GlibMainQueue> {
protected:
    AITab tab(const std::string& id, const std::string& path) { return AITab{id, server.url(path), id, id, id, "x.circle.fill"}; }

    // Puts a web view in a window of its own, as a pane would.
    using AppObjects::show;
    GtkWindow* show(WebKitWebView* view) { return show(*Glib::wrap(GTK_WIDGET(view)), 800, 600).gobj(); }

    std::string evaluate(WebKitWebView* view, const std::string& script) { return evaluateScript(view, script); }

    std::vector<std::string> downloadedFiles() const;

    std::filesystem::path downloadsFolder = dir / "Downloads";
    WebViewStore& store = webViews;
    LocalServer server;
};

}  // namespace corvina::testing
