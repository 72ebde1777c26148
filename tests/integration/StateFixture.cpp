#include "integration/StateFixture.hpp"

namespace corvina::testing {

StateFixture::StateFixture() {
    hideBuiltInServices();
    for (const char* name : {"one", "two", "three"}) {
        server.server.Get(std::string("/") + name, [this, name](const httplib::Request&, httplib::Response& res) {
            ++hits[name];
            res.set_content(std::string("<title>") + name + "</title><a id=next href='/next'>next</a>", "text/html");
        });
        customTabs.add(CustomTab{tagID(name), name, server.url(std::string("/") + name), {}, 0});
    }
    server.serve("/next", "<title>next</title>", "text/html");
    state.selectFirstVisibleTab();
}

}  // namespace corvina::testing
