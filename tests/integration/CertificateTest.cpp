#include <glib.h>

#include "integration/AccountsFixture.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// The certificate lines of a pane's trouble view, when shown.
std::string certificateOf(Gtk::Widget& pane) {
    auto& lines = widgetWithClass(pane, "page-trouble-certificate");
    return shownOnScreen(lines) ? labelText(lines) : "";
}

// A local server with a certificate of its own, as a home AI server has, before a real pane.
class CertificateTest : public AccountsFixture {
protected:
    CertificateTest() { settings.setProxy({ProxyMode::none, "", {}}); }

    WebBrowserContainerView& show(const std::string& id) {
        state.setSelectedTabID(id);
        if (panes.empty()) pane();
        return *panes.front();
    }
    bool troubled(WebBrowserContainerView& shown) {
        return eventually([&] { return StateFixture::shows(shown, "page-trouble"); }, std::chrono::seconds(15));
    }
    bool shows(const std::string& id, const std::string& expected) {
        auto* page = store().existingPage({id, 0});
        return page && titled(*page, expected) && !page->trouble().get();
    }

    TestCertificate certificate{"Home LLM"};
    TlsServer secure{certificate, "secure"};
};

TEST_F(CertificateTest, AnUntrustedLocalCertificateSaysWhyAndOnceTrustedLoadsAndIsStillTrustedAfterARestart) {
    const auto llm = addTag("llm", secure.url(), false);
    auto& shown = show(llm);
    ASSERT_TRUE(troubled(shown));
    const std::string host = "127.0.0.1:" + std::to_string(secure.port());
    EXPECT_EQ(textOf(shown, "page-trouble-detail"), host + ": its certificate is not trusted.");
    EXPECT_NE(certificateOf(shown).find("Issued to: CN=Home LLM"), std::string::npos)
        << certificateOf(shown);
    EXPECT_NE(certificateOf(shown).find("Valid from "), std::string::npos);
    ASSERT_TRUE(widgetWithClass<Gtk::Button>(shown, "trust-certificate").get_visible());
    EXPECT_EQ(widgetWithClass<Gtk::Button>(shown, "trust-certificate").get_label(), "Trust This Certificate");
    localization.setCurrentLanguage(AppLanguage::zhTW);
    EXPECT_EQ(widgetWithClass<Gtk::Button>(shown, "trust-certificate").get_label(), "信任此憑證");
    EXPECT_NE(certificateOf(shown).find("簽發對象：CN=Home LLM"), std::string::npos);
    localization.setCurrentLanguage(AppLanguage::en);

    widgetWithClass<Gtk::Button>(shown, "trust-certificate").activate();
    EXPECT_TRUE(shows(llm, "secure"));
    EXPECT_FALSE(StateFixture::shows(shown, "page-trouble"));

    // The engine keeps what was trusted for as long as its network process runs: a restart
    // is tried in a process of its own, with the site permissions file as the app left it,
    // and, to show that file is what carries the trust, without it.
    const auto permissions = engine.data / "site-permissions.json";
    const std::string restart = "CertificateTest.ARestartedAppReadsTrustedCertificatesBackIntoTheirSession";
    const auto [trusted, output] = runInOwnProcess(
        restart, {{"CORVINA_TEST_PERMISSIONS", permissions.string()}, {"CORVINA_TEST_ADDRESS", secure.url()},
                  {"CORVINA_TEST_EXPECT", "secure"}});
    EXPECT_TRUE(trusted) << output;
    const auto [refused, refusedOutput] = runInOwnProcess(
        restart, {{"CORVINA_TEST_PERMISSIONS", (dir / "none.json").string()}, {"CORVINA_TEST_ADDRESS", secure.url()},
                  {"CORVINA_TEST_EXPECT", "not trusted"}});
    EXPECT_TRUE(refused) << refusedOutput;

    // Reset site permissions forgets it for the next start.
    store().sitePermissions().reset();
    const auto [afterReset, resetOutput] = runInOwnProcess(
        restart, {{"CORVINA_TEST_PERMISSIONS", permissions.string()}, {"CORVINA_TEST_ADDRESS", secure.url()},
                  {"CORVINA_TEST_EXPECT", "not trusted"}});
    EXPECT_TRUE(afterReset) << resetOutput;
}

// Started by the test above: the app as it starts over a site permissions file.
TEST_F(CertificateTest, ARestartedAppReadsTrustedCertificatesBackIntoTheirSession) {
    const char* permissions = g_getenv("CORVINA_TEST_PERMISSIONS");
    if (!permissions) GTEST_SKIP() << "started by the test above";
    const auto folders = engineFolders();
    std::filesystem::create_directories(folders.data);
    std::error_code absent;
    std::filesystem::copy_file(permissions, folders.data / "site-permissions.json", absent);
    const auto llm = addTag("llm", g_getenv("CORVINA_TEST_ADDRESS"), false);
    auto restarted = makeStore(folders);
    auto& page = open(*restarted, llm);
    if (std::string(g_getenv("CORVINA_TEST_EXPECT")) == "secure") {
        EXPECT_TRUE(titled(page, "secure"));
        EXPECT_FALSE(page.trouble().get());
    } else {
        ASSERT_TRUE(eventually([&] { return page.trouble().get().has_value(); }));
        EXPECT_EQ(page.trouble().get()->reason, TroubleReason::certificateNotTrusted);
    }
}

TEST_F(CertificateTest, ATrustedCertificateServesOnlyItsHostAndOnlyItself) {
    const auto llm = addTag("llm", secure.url(), false);
    auto& shown = show(llm);
    ASSERT_TRUE(troubled(shown));
    widgetWithClass<Gtk::Button>(shown, "trust-certificate").activate();
    ASSERT_TRUE(shows(llm, "secure"));

    // Another certificate on the same host is a stranger.
    TestCertificate other{"Impostor"};
    TlsServer impostor{other, "impostor"};
    const auto second = addTag("second", impostor.url(), false);
    show(second);
    ASSERT_TRUE(troubled(shown));
    EXPECT_EQ(store().existingPage({second, 0})->trouble().get()->reason, TroubleReason::certificateNotTrusted);
    EXPECT_NE(certificateOf(shown).find("CN=Impostor"), std::string::npos);

    // The trusted certificate under another name of the same machine is not trusted there.
    const auto byName = addTag("byname", secure.url("localhost"), false);
    show(byName);
    ASSERT_TRUE(troubled(shown));
    EXPECT_EQ(store().existingPage({byName, 0})->trouble().get()->reason,
              TroubleReason::certificateForAnotherName);
    EXPECT_NE(textOf(shown, "page-trouble-detail").find("its certificate is for another name"), std::string::npos);
}

TEST_F(CertificateTest, APublicLookingHostIsNeverOfferedTrust) {
    // The relay takes the engine's request for a public name to the local server.
    ConnectRelay relay(secure.port());
    const auto publicName = addTag("public", "https://chat.example.com/", true, {ProxyMode::manual, relay.address(), {}});
    auto& shown = show(publicName);
    ASSERT_TRUE(troubled(shown));
    EXPECT_EQ(textOf(shown, "page-trouble-detail"), "chat.example.com: its certificate is for another name.");
    EXPECT_NE(certificateOf(shown).find("CN=Home LLM"), std::string::npos);
    EXPECT_FALSE(widgetWithClass<Gtk::Button>(shown, "trust-certificate").get_visible());
    // Nor does the page take it when asked directly.
    store().existingPage({publicName, 0})->trustCertificate();
    EXPECT_TRUE(store().sitePermissions().trustedCertificates(publicName).empty());
}

}  // namespace
