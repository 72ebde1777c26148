#include "integration/StateFixture.hpp"

namespace corvina::testing {

StateFixture::StateFixture() {
    std::set<std::string> all;
    for (const auto& tab : builtInTabs()) all.insert(tab.id);
    state.setHiddenAITabIDs(all);
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

StateFixture::~StateFixture() {
    for (auto& window : windows) window->destroy();
}

Gtk::Window& StateFixture::show(Gtk::Widget& view, int width, int height) {
    windows.push_back(std::make_unique<Gtk::Window>());
    windows.back()->set_default_size(width, height);
    windows.back()->set_child(view);
    windows.back()->present();
    return *windows.back();
}

}  // namespace corvina::testing
