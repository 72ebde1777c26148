#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <map>

#include "integration/AppObjects.hpp"
#include "integration/AppProcess.hpp"
#include "integration/LocalServer.hpp"
#include "pane/WebBrowserContainerView.hpp"

namespace corvina::testing {

// All the app's state objects over private folders, with the built-in services hidden and
// three custom tags served by a local server, so nothing leaves the machine.
class StateFixture : public ::testing::Test, protected AppObjects<GlibMainQueue> {
protected:
    StateFixture();

    // The real pane over the state, in a window of its own.
    WebBrowserContainerView& pane(Pane which = Pane::primary) {
        panes.push_back(std::make_unique<WebBrowserContainerView>(context, which));
        show(*panes.back(), 900, 600);
        return *panes.back();
    }
    static std::string tagID(const std::string& name) { return "custom_" + name; }

    std::map<std::string, std::atomic<int>> hits;  // outlives the server that counts into it
    LocalServer server;
    std::vector<std::unique_ptr<WebBrowserContainerView>> panes;
};

}  // namespace corvina::testing
