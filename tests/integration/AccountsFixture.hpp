#pragma once
#include <memory>

#include "integration/NetworkServers.hpp"
#include "integration/StateFixture.hpp"
#include "integration/WebFixture.hpp"

namespace corvina::testing {

// Runs one test of this program in a process of its own with these variables added, for
// what the engine's shared network process would otherwise carry from test to test (the
// environment it started with, the certificates trusted in it). The test's output, and
// whether it passed (run, not skipped).
std::pair<bool, std::string> runInOwnProcess(const std::string& test,
                                             const std::vector<std::pair<std::string, std::string>>& variables);

// The app's objects with stores of the test's own over folders it chooses, so that a store
// can end and a new one start over the same folders, as a restart would.
class AccountsFixture : public StateFixture {
protected:
    AccountsFixture() { localization.setCurrentLanguage(AppLanguage::en); }

    std::unique_ptr<WebViewStore> makeStore(const WebViewStore::Folders& folders) {
        return std::make_unique<WebViewStore>(queue, localization, downloads, customTabs.customTabs(), settings, folders,
                                              displayDrawingMode(),
                                              WebViewStore::Desktop{launcher, notifier, network, PopupWindow::maker()});
    }
    std::string addTag(const std::string& name, const std::string& url, bool separate, ProxySetting proxy = {}) {
        customTabs.add(CustomTab{tagID(name), name, url, {TabAttributes::webAI}, 0, separate, proxy});
        return tagID(name);
    }
    const CustomTab& tag(const std::string& id) { return *customTabs.find(id); }
    // The tag's page in `in`, once it has loaded or failed.
    ServicePage& open(WebViewStore& in, const std::string& id) {
        auto& page = in.page(tabRecord(tag(id)));
        eventually([&] { return !page.loading().get(); }, std::chrono::seconds(15));
        return page;
    }
    std::string title(ServicePage& page) { return evaluateScript(page.view(), "document.title"); }
    bool titled(ServicePage& page, const std::string& expected) {
        return eventually([&] { return title(page) == expected; });
    }
};

}  // namespace corvina::testing
