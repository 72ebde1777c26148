#include "integration/AccountsFixture.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

class SeparateSignInTest : public AccountsFixture {
protected:
    SeparateSignInTest() {
        // Signing in sets a lasting cookie; every page shows the cookies it was sent.
        server.server.Get("/signin", [](const httplib::Request& req, httplib::Response& res) {
            res.set_header("Set-Cookie", "account=" + req.get_param_value("as") + "; Max-Age=86400; Path=/");
            res.set_content("<title>signed in</title>", "text/html");
        });
        server.server.Get("/chat", [this](const httplib::Request& req, httplib::Response& res) {
            ++hits["chat"];
            res.set_content("<title>cookies:" + req.get_header_value("Cookie") + "</title>", "text/html");
        });
    }
    void setAddress(const std::string& id, const std::string& path) {
        auto edited = tag(id);
        edited.url = server.url(path);
        customTabs.replace(edited);
    }
};

TEST_F(SeparateSignInTest, TwoTagsAtOneAddressKeepTheirOwnLoginsAcrossARestartAndADeletedTagsDataGoes) {
    const auto folders = engineFolders();
    const auto work = addTag("work", server.url("/signin?as=work"), true);
    const auto home = addTag("home", server.url("/signin?as=home"), true);
    const auto shared = addTag("shared", server.url("/signin?as=shared"), false);
    {
        auto store = makeStore(folders);
        for (const auto& id : {work, home, shared}) ASSERT_TRUE(titled(open(*store, id), "signed in")) << id;
    }
    for (const auto& id : {work, home, shared}) setAddress(id, "/chat");
    auto store = makeStore(folders);
    EXPECT_TRUE(titled(open(*store, work), "cookies:account=work"));
    EXPECT_TRUE(titled(open(*store, home), "cookies:account=home"));
    EXPECT_TRUE(titled(open(*store, shared), "cookies:account=shared")) << "a shared tag signs in with the other services";
    const auto workFolder = folders.data / "tags" / tagFolderName(work);
    EXPECT_TRUE(std::filesystem::exists(workFolder / "cookies.sqlite"));
    EXPECT_FALSE(std::filesystem::exists(folders.data / "tags" / tagFolderName(shared)));

    // Deleted as the panel does it: its pages first, then the tag; its data follows, and
    // the other sessions go on in the same network process.
    const auto networkProcesses = networkProcessIDs();
    store->removePage({work, 0});
    customTabs.deleteTab(work);
    EXPECT_TRUE(eventually([&] {
        return !std::filesystem::exists(workFolder) &&
               !std::filesystem::exists(folders.cache / "tags" / tagFolderName(work));
    }));
    auto& homePage = *store->existingPage({home, 0});
    const int asked = hits["chat"];
    homePage.reload();
    EXPECT_TRUE(eventually([&] { return hits["chat"] > asked && !webkit_web_view_is_loading(homePage.view()); }))
        << "reloaded";
    EXPECT_TRUE(titled(homePage, "cookies:account=home"));
    // That reload went through the network process after the deletion.
    EXPECT_EQ(networkProcessIDs(), networkProcesses);
}

TEST_F(SeparateSignInTest, ChangingATagsSignInMakesItsPageAgainInItsNewSession) {
    const auto folders = engineFolders();
    const auto tagged = addTag("tagged", server.url("/signin?as=shared"), false);
    auto store = makeStore(folders);
    ASSERT_TRUE(titled(open(*store, tagged), "signed in"));
    setAddress(tagged, "/chat");

    auto edited = tag(tagged);
    edited.separateSignIn = true;
    customTabs.replace(edited);
    EXPECT_EQ(store->existingPage({tagged, 0}), nullptr) << "the page in the shared session went";
    EXPECT_TRUE(titled(open(*store, tagged), "cookies:")) << "its own session has no login yet";

    edited.separateSignIn = false;
    customTabs.replace(edited);
    EXPECT_TRUE(titled(open(*store, tagged), "cookies:account=shared"));
}

}  // namespace
