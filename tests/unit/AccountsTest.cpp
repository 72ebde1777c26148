#include <gtest/gtest.h>

#include <gio/gio.h>

#include "app/AppSettings.hpp"
#include "app/CustomTab.hpp"
#include "app/ProxySetting.hpp"
#include "support/Fakes.hpp"
#include "web/NetworkSessions.hpp"
#include "web/asks/SitePermissions.hpp"
#include "web/page/PageTrouble.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

std::string refusal(const std::string& typed) {
    const auto checked = checkProxyAddress(typed);
    const auto* reason = std::get_if<LocalizedText>(&checked);
    return reason ? reason->in(AppLanguage::en) : "";
}

std::string accepted(const std::string& typed) {
    const auto checked = checkProxyAddress(typed);
    const auto* address = std::get_if<std::string>(&checked);
    return address ? *address : "refused: " + refusal(typed);
}

TEST(ProxyAddresses, HttpAndSocksWithAPortAreTakenAndAnythingElseIsRefusedWithItsReason) {
    EXPECT_EQ(accepted("http://proxy.lan:3128"), "http://proxy.lan:3128");
    EXPECT_EQ(accepted("  socks5://10.0.0.1:1080/ "), "socks5://10.0.0.1:1080");
    EXPECT_EQ(accepted("http://user:secret@[::1]:8080"), "http://user:secret@[::1]:8080");

    EXPECT_NE(refusal("").find("Type the proxy's address"), std::string::npos);
    EXPECT_NE(refusal("proxy.lan:3128").find("must start with http:// or socks5://"), std::string::npos);
    EXPECT_NE(refusal("ftp://proxy.lan:21").find("must start with"), std::string::npos);
    EXPECT_NE(refusal("http://proxy.lan").find("needs the proxy's port"), std::string::npos);
    EXPECT_NE(refusal("http://:8080").find("no host name"), std::string::npos);
    EXPECT_NE(refusal("http://proxy.lan:8080/path").find("Nothing may follow the port"), std::string::npos);
    EXPECT_NE(refusal("http://proxy.lan:99999").find("not an address"), std::string::npos);
    EXPECT_NE(refusal("http://pro xy:80").find("not an address"), std::string::npos);
    // The reason reads in the interface's language.
    const auto checked = checkProxyAddress("http://proxy.lan");
    EXPECT_NE(std::get<LocalizedText>(checked).in(AppLanguage::zhCN).find("端口"), std::string::npos);
}

TEST(ProxyBypass, OnlyListedHostsNamesSuffixesAndRangesGoDirect) {
    const ProxySetting manual{ProxyMode::manual, "http://127.0.0.1:3128",
                              splitBypassHosts("localhost, *.lan\n.corp 192.168.0.0/16,,fd00::/8")};
    EXPECT_EQ(manual.bypassHosts, (std::vector<std::string>{"localhost", "*.lan", ".corp", "192.168.0.0/16", "fd00::/8"}));
    EXPECT_EQ(joinBypassHosts(manual.bypassHosts), "localhost, *.lan, .corp, 192.168.0.0/16, fd00::/8");
    EXPECT_TRUE(goesThroughManualProxy(manual, "https://chat.example.com/"));
    EXPECT_TRUE(goesThroughManualProxy(manual, "http://lan.example/"));
    EXPECT_TRUE(goesThroughManualProxy(manual, "http://192.169.0.1/"));
    EXPECT_FALSE(goesThroughManualProxy(manual, "http://LOCALHOST:8080/"));
    EXPECT_FALSE(goesThroughManualProxy(manual, "http://nas.lan/"));
    EXPECT_FALSE(goesThroughManualProxy(manual, "http://a.b.corp/"));
    EXPECT_FALSE(goesThroughManualProxy(manual, "https://192.168.1.20:8443/"));
    EXPECT_FALSE(goesThroughManualProxy(manual, "http://[fd00::5]/"));
    EXPECT_FALSE(goesThroughManualProxy({ProxyMode::system, "http://127.0.0.1:3128", {}}, "https://a.example/"));
    EXPECT_FALSE(goesThroughManualProxy({ProxyMode::none, "http://127.0.0.1:3128", {}}, "https://a.example/"));
}

TEST(ProxySettings, AreKeptAcrossARestartAndWhatDoesNotReadIsTheSystemsProxy) {
    TempDir dir;
    FakeDesktopDefaults desktop;
    const ProxySetting manual{ProxyMode::manual, "socks5://127.0.0.1:1080", {"localhost"}};
    {
        PreferenceStore preferences(dir / "preferences.json");
        AppSettings settings(preferences, desktop);
        EXPECT_EQ(settings.proxy().get(), ProxySetting{});
        settings.setProxy(manual);
    }
    PreferenceStore preferences(dir / "preferences.json");
    AppSettings settings(preferences, desktop);
    EXPECT_EQ(settings.proxy().get(), manual);

    EXPECT_EQ(decodeProxySetting(nlohmann::json::parse(R"({"mode":"none"})")).mode, ProxyMode::none);
    EXPECT_EQ(decodeProxySetting(nlohmann::json::parse(R"({"mode":7})")), ProxySetting{});
    EXPECT_EQ(decodeProxySetting(nlohmann::json::parse(R"([1,2])")), ProxySetting{});
    // A hand-edited manual address that is no proxy's falls back rather than break every page.
    EXPECT_EQ(decodeProxySetting(nlohmann::json::parse(R"({"mode":"manual","address":"nonsense"})")).mode,
              ProxyMode::system);
}

TEST(SeparateSignIn, IsAnAddedMemberThatLeavesTheFiveMembersAndUnknownBitsAsTheyAre) {
    CustomTab work{"custom_W", "Work", "https://chat.example/", {TabAttributes::webAI | 8}, 10.5, true,
                   {ProxyMode::manual, "http://127.0.0.1:3128", {"localhost"}}};
    CustomTab shared{"custom_S", "Shared", "https://chat.example/", {TabAttributes::localLLM}, 11};
    const auto json = encodeCustomTabs({work, shared});
    const auto stored = nlohmann::json::parse(json);
    EXPECT_EQ(stored[0]["signIn"], "separate");
    EXPECT_EQ(stored[0]["attributes"], 9);
    EXPECT_FALSE(stored[1].contains("signIn")) << "a shared tag is stored as older versions wrote it";
    EXPECT_EQ(decodeCustomTabs(json), (std::vector<CustomTab>{work, shared}));

    // Older records read as shared; an added member that does not read leaves the tag shared.
    const auto old = decodeCustomTabs(
        R"([{"id":"a","name":"A","url":"https://a.example/","attributes":1,"createdAt":1},)"
        R"({"id":"b","name":"B","url":"https://a.example/","attributes":1,"createdAt":1,"signIn":true,"proxy":"x"}])");
    ASSERT_TRUE(old);
    EXPECT_FALSE((*old)[0].separateSignIn);
    EXPECT_FALSE((*old)[1].separateSignIn);
    EXPECT_EQ((*old)[1].proxy, ProxySetting{});

    const AITab service{"chat", "https://chat.example/", "聊天", "聊天", "Chat", "x"};
    const auto second = anotherAccount(service, AppLanguage::en);
    EXPECT_EQ(second.name, "Chat 2");
    EXPECT_EQ(second.url, service.url);
    EXPECT_TRUE(second.separateSignIn);
    EXPECT_NE(second.id, anotherAccount(service, AppLanguage::en).id);
}

TEST(TagFolders, AreNamedFromTheIdOnlyAndNeverLeaveTheTagsFolder) {
    EXPECT_EQ(tagFolderName("custom_0A1B-2C"), "custom_0A1B-2C");
    for (const std::string& odd : std::vector<std::string>{"../../.config", "/etc", "a/b", ".", "..", "", "tag with spaces", std::string(101, 'a'),
                                  std::string("a\0b", 3)}) {
        const auto name = tagFolderName(odd);
        EXPECT_EQ(name.front(), '~') << odd;
        EXPECT_EQ(name.find_first_of("/."), std::string::npos) << odd;
        EXPECT_EQ(std::filesystem::path(name).filename(), name);
    }
    EXPECT_NE(tagFolderName("a/b"), tagFolderName("a/c"));
    EXPECT_NE(tagFolderName(std::string("a\0b", 3)), tagFolderName("a"));
}

TEST(CertificateTrust, IsOfferedOnlyForHostsOfTheUsersOwnNetworkOrMachine) {
    for (const char* host : {"192.168.1.20", "10.0.0.1", "172.16.5.4", "172.31.255.255", "127.0.0.1", "127.8.9.1",
                             "169.254.10.1", "::1", "[::1]", "fd12:3456::1", "fe80::1", "localhost", "LocalHost",
                             "printer.local", "nas.LOCAL.", "app.localhost"})
        EXPECT_TRUE(mayTrustCertificateFor(host)) << host;
    for (const char* host : {"8.8.8.8", "172.32.0.1", "172.15.0.1", "192.169.1.1", "11.0.0.1", "2001:db8::1",
                             "chat.example.com", "local", ".local", "local.example.com", "localhost.example.com",
                             "192.168.1.20.example.com", ""})
        EXPECT_FALSE(mayTrustCertificateFor(host)) << host;

    PageTrouble trouble{TroubleReason::certificateNotTrusted, "https://192.168.1.20:8443/",
                        CertificateDetails{"192.168.1.20", "CN=llm", "CN=llm", "2025-01-01", "2026-01-01", "pem"}};
    EXPECT_EQ(trustAction(trouble, AppLanguage::en), "Trust This Certificate");
    EXPECT_EQ(trustAction(trouble, AppLanguage::zhTW), "信任此憑證");
    EXPECT_EQ(trustAction(trouble, AppLanguage::zhCN), "信任此证书");
    trouble.certificate->host = "chat.example.com";
    EXPECT_EQ(trustAction(trouble, AppLanguage::en), "");
    EXPECT_EQ(trustAction(PageTrouble{TroubleReason::refused, "https://192.168.1.20/"}, AppLanguage::en), "");
}

TEST(CertificateFaults, ReadAsTheOneTheUserCanActOnFirst) {
    EXPECT_EQ(certificateReason(G_TLS_CERTIFICATE_UNKNOWN_CA), TroubleReason::certificateNotTrusted);
    EXPECT_EQ(certificateReason(G_TLS_CERTIFICATE_UNKNOWN_CA | G_TLS_CERTIFICATE_BAD_IDENTITY),
              TroubleReason::certificateForAnotherName);
    EXPECT_EQ(certificateReason(G_TLS_CERTIFICATE_BAD_IDENTITY | G_TLS_CERTIFICATE_EXPIRED),
              TroubleReason::certificateExpired);
    EXPECT_EQ(certificateReason(G_TLS_CERTIFICATE_NOT_ACTIVATED), TroubleReason::certificateExpired);
    EXPECT_EQ(certificateReason(G_TLS_CERTIFICATE_EXPIRED | G_TLS_CERTIFICATE_REVOKED), TroubleReason::certificateRevoked);
    EXPECT_EQ(certificateReason(G_TLS_CERTIFICATE_GENERIC_ERROR), TroubleReason::certificateNotTrusted);

    const CertificateDetails details{"10.0.0.2", "CN=llm", "CN=Home CA", "2025-01-01", "2026-01-01", ""};
    EXPECT_EQ(certificateText(details, AppLanguage::en),
              "Issued to: CN=llm\nIssued by: CN=Home CA\nValid from 2025-01-01 to 2026-01-01");
    const PageTrouble expired{TroubleReason::certificateExpired, "https://10.0.0.2:8443/", details};
    EXPECT_EQ(troubleDetail(expired, AppLanguage::en), "10.0.0.2:8443: its certificate has expired or is not valid yet.");
    EXPECT_EQ(troubleDetail(PageTrouble{TroubleReason::proxyUnreachable, "https://a.example/"}, AppLanguage::zhTW),
              "a.example：無法連線到代理伺服器。");
}

TEST(TrustedCertificates, AreKeptPerSessionWithTheSitePermissionsAndGoWithAReset) {
    TempDir dir;
    {
        PreferenceStore file(dir / "site-permissions.json");
        SitePermissions permissions(file);
        permissions.trustCertificate("", "192.168.1.20", "PEM-A");
        permissions.trustCertificate("", "192.168.1.20", "PEM-A");
        permissions.trustCertificate("custom_W", "nas.local", "PEM-B");
        EXPECT_EQ(permissions.answerCount().get(), 2);
    }
    PreferenceStore file(dir / "site-permissions.json");
    SitePermissions permissions(file);
    ASSERT_EQ(permissions.trustedCertificates("").size(), 1u);
    EXPECT_EQ(permissions.trustedCertificates("")[0].host, "192.168.1.20");
    EXPECT_EQ(permissions.trustedCertificates("")[0].pem, "PEM-A");
    EXPECT_EQ(permissions.trustedCertificates("custom_W")[0].host, "nas.local");
    EXPECT_TRUE(permissions.trustedCertificates("custom_X").empty());
    permissions.forgetCertificates("custom_W");
    EXPECT_TRUE(permissions.trustedCertificates("custom_W").empty());
    EXPECT_EQ(permissions.answerCount().get(), 1);
    permissions.reset();
    EXPECT_TRUE(permissions.trustedCertificates("").empty());
    EXPECT_EQ(permissions.answerCount().get(), 0);
}

}  // namespace
