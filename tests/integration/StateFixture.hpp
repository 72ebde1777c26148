#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <optional>

#include <giomm/simpleactiongroup.h>

#include "integration/AppObjects.hpp"
#include "integration/AppProcess.hpp"
#include "integration/LocalServer.hpp"
#include "integration/WidgetChecks.hpp"
#include "pane/PagePlacement.hpp"
#include "pane/WebBrowserContainerView.hpp"
#include "ui/MenuCommands.hpp"

namespace corvina::testing {

// All the app's state objects over private folders, with the built-in services hidden and
// three custom tags served by a local server, so nothing leaves the machine.
class StateFixture : public ::testing::Test, protected AppObjects<GlibMainQueue> {
protected:
    StateFixture();

    // The real pane over the state, in a window of its own, given its pages by the
    // fixture's placement as the pane grid gives them. Until the first pane, no page is
    // made but those a test asks the store for.
    WebBrowserContainerView& pane(Pane which = 0) {
        if (!placement) placement.emplace(context);
        panes.push_back(std::make_unique<WebBrowserContainerView>(context, which));
        placement->attach(which, *panes.back());
        placement->place();
        show(*panes.back(), 900, 600);
        return *panes.back();
    }
    static std::string tagID(const std::string& name) { return "custom_" + name; }
    // The window with the commands installed into `commands` as the application installs
    // them, shown, once it has its size.
    void presentWithCommands(Gtk::Window& window, MenuCommands::WindowHooks hooks, int width = 1300, int height = 820);

    // The pane at `place` in a window, the first one first.
    static Gtk::Widget& paneOf(Gtk::Widget& window, std::size_t place) {
        return *Glib::wrap(widgetsWithClass(window, "web-pane").at(place));
    }
    // What a pane shows, read from its widgets: the page on top of its layers, if any...
    static WebKitWebView* shownView(Gtk::Widget& pane);
    // ...whether its spinner turns, and whether the part with the CSS class shows, and its text.
    static bool spins(Gtk::Widget& pane);
    static bool shows(Gtk::Widget& pane, const std::string& cssClass) {
        return shownOnScreen(widgetWithClass(pane, cssClass));
    }
    static std::string textOf(Gtk::Widget& pane, const std::string& cssClass) {
        return labelText(widgetWithClass(pane, cssClass));
    }
    // The one button of the pane's page-trouble view.
    static Gtk::Button& troubleAction(Gtk::Widget& pane) {
        return widgetWithClass<Gtk::Button>(widgetWithClass(pane, "page-trouble"), "suggested-action");
    }

    Glib::RefPtr<Gio::SimpleActionGroup> commands = Gio::SimpleActionGroup::create();
    std::map<std::string, std::atomic<int>> hits;  // outlives the server that counts into it
    LocalServer server;
    // Before the panes, so that the panes go first.
    std::optional<PagePlacement> placement;
    std::vector<std::unique_ptr<WebBrowserContainerView>> panes;
};

}  // namespace corvina::testing
