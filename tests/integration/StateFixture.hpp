#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <map>

#include "integration/AppObjects.hpp"
#include "integration/AppProcess.hpp"
#include "integration/LocalServer.hpp"

namespace corvina::testing {

// All the app's state objects over private folders, with the built-in services hidden and
// three custom tags served by a local server, so nothing leaves the machine.
class StateFixture : public ::testing::Test, protected AppObjects<GlibMainQueue> {
protected:
    StateFixture();

    bool loaded(const std::string& id, Pane pane) {
        return eventually([&] { return !store().isTabLoading(id, pane); }, std::chrono::seconds(15));
    }
    static std::string tagID(const std::string& name) { return "custom_" + name; }

    std::map<std::string, std::atomic<int>> hits;  // outlives the server that counts into it
    LocalServer server;
};

}  // namespace corvina::testing
