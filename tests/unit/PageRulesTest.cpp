#include <gtest/gtest.h>

#include <gio/gio.h>
#include <webkit/webkit.h>

#include "platform/UriLauncher.hpp"
#include "support/Fakes.hpp"
#include "web/asks/NewWindows.hpp"
#include "web/page/PageTrouble.hpp"
#include "web/page/ResponsePolicy.hpp"
#include "web/asks/PermissionRequests.hpp"
#include "web/asks/SitePermissions.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// Cancels, and responses turned into downloads, are no failure to show.
TEST(LoadFailures, ReadAsTheUserWouldAndCancelsOrDownloadsAreNone) {
    const auto io = g_quark_to_string(G_IO_ERROR), web = g_quark_to_string(WEBKIT_NETWORK_ERROR);
    const std::vector<std::tuple<const char*, int, std::optional<TroubleReason>>> cases = {
        {io, G_IO_ERROR_CONNECTION_REFUSED, TroubleReason::refused}, {io, G_IO_ERROR_TIMED_OUT, TroubleReason::timedOut},
        {io, G_IO_ERROR_NETWORK_UNREACHABLE, TroubleReason::offline}, {io, G_IO_ERROR_CANCELLED, std::nullopt},
        {io, G_IO_ERROR_BROKEN_PIPE, TroubleReason::otherNetworkError},
        {g_quark_to_string(G_RESOLVER_ERROR), G_RESOLVER_ERROR_NOT_FOUND, TroubleReason::nameNotResolved},
        {web, WEBKIT_NETWORK_ERROR_CANCELLED, std::nullopt},
        {web, WEBKIT_NETWORK_ERROR_TRANSPORT, TroubleReason::otherNetworkError},
        {g_quark_to_string(WEBKIT_POLICY_ERROR), WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE, std::nullopt},
        {g_quark_to_string(WEBKIT_POLICY_ERROR), WEBKIT_POLICY_ERROR_CANNOT_USE_RESTRICTED_PORT, TroubleReason::blockedPort},
        {nullptr, 0, TroubleReason::otherNetworkError},
    };
    for (const auto& [domain, code, reason] : cases)
        EXPECT_EQ(loadFailureReason(domain, code), reason) << (domain ? domain : "-") << " " << code;
}

TEST(PageTroubleTexts, NameTheServiceAndHostInEachLanguage) {
    const PageTrouble refused{TroubleReason::refused, "https://chat.example.com:8443/c/1?q=<b>"};
    EXPECT_EQ(troubleTitle(refused, "Chat", AppLanguage::en), "Chat cannot be reached");
    EXPECT_EQ(troubleTitle(refused, "Chat", AppLanguage::zhTW), "無法連線到 Chat");
    EXPECT_EQ(troubleDetail(refused, AppLanguage::en), "chat.example.com:8443 refused the connection.");

    const PageTrouble crashed{TroubleReason::crashed, "https://chat.example.com/"};
    EXPECT_TRUE(crashed.isCrash());
    EXPECT_EQ(troubleTitle(crashed, "%s 50%", AppLanguage::en), "%s 50% stopped working") << "a name is no format";
    EXPECT_EQ(displayHost("https://chat.example.com/"), "chat.example.com");
    EXPECT_EQ(displayHost("not an address"), "not an address");
    EXPECT_EQ(displayHost("http://127.0.0.1:8080/chat"), "127.0.0.1:8080");
    EXPECT_EQ(displayHost("http://chat.example.com:443/"), "chat.example.com:443") << "443 is not http's own";
}

// Without a network, failures that could be its absence say so; an answer from the host
// (a refusal) or the engine's own refusal says what it is.
TEST(UnreachableReasons, FollowTheNetworkStateAndTheAddressPort) {
    using enum TroubleReason;
    for (auto reason : {nameNotResolved, timedOut, otherNetworkError, offline})
        EXPECT_EQ(unreachableReason(reason, false), offline) << int(reason);
    for (auto reason : {refused, blockedPort, crashed, outOfMemory}) EXPECT_EQ(unreachableReason(reason, false), reason);
    for (auto reason : {nameNotResolved, timedOut, otherNetworkError, refused})
        EXPECT_EQ(unreachableReason(reason, true), reason);

    for (const char* address : {"http://127.0.0.1:1/", "http://127.0.0.1:6000/x", "https://mail.example.com:993/",
                                "http://[::1]:10080/", "http://127.0.0.1:0/"})
        EXPECT_EQ(refusedAddressReason(address), blockedPort) << address;
    for (const char* address : {"http://127.0.0.1/", "https://chat.example.com/", "http://127.0.0.1:8080/",
                                "https://chat.example.com:443/", "http://127.0.0.1:60000/", "not an address"})
        EXPECT_EQ(refusedAddressReason(address), otherNetworkError) << address;

    const PageTrouble blocked{blockedPort, "http://127.0.0.1:6000/chat"};
    EXPECT_EQ(troubleDetail(blocked, AppLanguage::en), "127.0.0.1:6000 uses a port that web pages may not use.");
    EXPECT_EQ(troubleDetail(blocked, AppLanguage::zhTW), "127.0.0.1:6000 使用的連接埠不允許網頁使用。");
    EXPECT_EQ(troubleDetail(blocked, AppLanguage::zhCN), "127.0.0.1:6000 使用的端口不允许网页使用。");
    EXPECT_EQ(troubleTitle(blocked, "Chat", AppLanguage::en), "Chat cannot be reached");
    EXPECT_EQ(troubleAction(blocked, AppLanguage::en), "Try Again");
}

// Answers are kept per site (scheme, host and port of a web address only) and kind of
// permission, across a restart, until reset.
TEST(SitePermissions, AnswersAreKeptPerSiteAndKindAcrossARestartUntilReset) {
    EXPECT_EQ(siteOf("https://Chat.Example.com/path?x"), "https://chat.example.com:443");
    EXPECT_EQ(siteOf("https://chat.example.com:443/"), siteOf("https://chat.example.com/"));
    EXPECT_EQ(siteOf("http://127.0.0.1:8080/a"), "http://127.0.0.1:8080");
    EXPECT_NE(siteOf("http://chat.example.com/"), siteOf("https://chat.example.com/"));
    EXPECT_EQ(siteOf("file:///etc/passwd"), std::nullopt);
    EXPECT_EQ(siteOf("about:blank"), std::nullopt);
    const std::string a = "https://a.example.com:443";
    constexpr auto microphone = PermissionKind::microphone, notifications = PermissionKind::notifications;
    TempDir dir;
    {
        PreferenceStore file(dir / "site-permissions.json");
        SitePermissions answers(file);
        answers.remember(a, microphone, true);
        answers.remember(a, notifications, false);
        answers.remember("https://b.example.com:443", notifications, true);
        EXPECT_EQ(answers.answerCount().get(), 3);
    }
    PreferenceStore file(dir / "site-permissions.json");
    SitePermissions answers(file);
    EXPECT_EQ(answers.answer(a, microphone), true);
    EXPECT_EQ(answers.answer(a, PermissionKind::camera), std::nullopt);
    EXPECT_EQ(answers.answer("https://a.example.com:8443", microphone), std::nullopt);
    EXPECT_EQ(answers.sitesWithNotifications(true), std::vector<std::string>{"https://b.example.com:443"});
    EXPECT_EQ(answers.sitesWithNotifications(false), std::vector<std::string>{a});
    answers.reset();
    EXPECT_EQ(answers.answerCount().get(), 0);
    EXPECT_EQ(answers.answer(a, microphone), std::nullopt);

    // A file edited by hand into nonsense reads as no answers.
    file.setRaw("sites", {{a, {{"microphone", "yes"}}}, {"x", 3}});
    EXPECT_EQ(answers.answer(a, microphone), std::nullopt);
    EXPECT_EQ(answers.answer("x", microphone), std::nullopt);
}

TEST(PermissionQuestions, SayTheHostAndEveryKindAsked) {
    EXPECT_EQ(permissionRequestText("https://chat.example.com:443",
                                    {PermissionKind::microphone, PermissionKind::camera}, AppLanguage::en),
              "chat.example.com wants to use your microphone and use your camera");
    EXPECT_EQ(permissionRequestText("https://chat.example.com:443", {PermissionKind::clipboardRead}, AppLanguage::zhTW),
              "chat.example.com 想要讀取你的剪貼簿");
}

// A request for the microphone and the camera at once waits until both were answered and
// is allowed only when both are: an answer for one kind never answers for the other.
TEST(PermissionQuestions, ACombinedRequestNeedsEveryKindAllowed) {
    constexpr auto microphone = PermissionKind::microphone, camera = PermissionKind::camera;
    const std::string site = "https://chat.example.com:443";
    const PermissionQuestion both{site, {microphone, camera}};
    TempDir dir;
    PreferenceStore file(dir / "site-permissions.json");
    SitePermissions answers(file);
    EXPECT_EQ(rememberedAnswer(answers, both), std::nullopt);
    answers.remember(site, microphone, true);
    EXPECT_EQ(rememberedAnswer(answers, {site, {microphone}}), true);
    EXPECT_EQ(rememberedAnswer(answers, both), std::nullopt) << "the camera was never allowed";
    answers.reset();
    answers.remember(site, camera, true);
    EXPECT_EQ(rememberedAnswer(answers, both), std::nullopt) << "the microphone was never allowed";
    answers.remember(site, microphone, false);
    EXPECT_EQ(rememberedAnswer(answers, both), false);
    answers.remember(site, microphone, true);
    EXPECT_EQ(rememberedAnswer(answers, both), true);
    EXPECT_EQ(rememberedAnswer(answers, {"https://other.example.com:443", {microphone, camera}}), std::nullopt);
}

TEST(NewWindowRequests, OpenOnlyWithAGestureWhereTheSettingSays) {
    const std::string web = "https://accounts.example.com/signin";
    for (auto target : allNewWindowTargets) EXPECT_EQ(decideNewWindow(target, false, web), NewWindowAction::none);
    EXPECT_EQ(decideNewWindow(NewWindowTarget::nowhere, true, web), NewWindowAction::none);
    EXPECT_EQ(decideNewWindow(NewWindowTarget::browser, true, web), NewWindowAction::openInBrowser);
    EXPECT_EQ(decideNewWindow(NewWindowTarget::app, true, web), NewWindowAction::openInApp);
    EXPECT_EQ(decideNewWindow(NewWindowTarget::app, true, "about:blank"), NewWindowAction::openInApp)
        << "a sign-in window may start empty";
    for (const char* other : {"file:///etc/passwd", "javascript:alert(1)", "mailto:a@example.com", "about:blank",
                              "HTTPS-evil://x", ""})
        EXPECT_EQ(decideNewWindow(NewWindowTarget::browser, true, other), NewWindowAction::none) << other;
    EXPECT_TRUE(isWebAddress("HTTP://example.com/"));
    EXPECT_FALSE(isWebAddress("httpx://example.com/"));
}

constexpr auto show = ResponseDecision::show;
constexpr auto download = ResponseDecision::download;

// An attachment (the disposition type, in any case, HTTP only) downloads in every frame;
// archives, office documents and images on their own download only in the main frame.
TEST(ResponsePolicy, DecidesByDispositionTypeAndFrame) {
    const std::vector<std::tuple<std::optional<std::string>, std::string, ResponseDecision, ResponseDecision>> cases = {
        // disposition, type, main frame, sub-frame
        {"attachment; filename=\"notes.txt\"", "text/plain", download, download}, {"attachment", "", download, download},
        {"ATTACHMENT; filename=shout.html", "text/html", download, download}, {"Attachment", "text/html", download, download},
        {" attachment", "text/plain", download, download}, {"\taTTachment ;filename=a.txt", "text/plain", download, download},
        {"attachment;", "text/html", download, download}, {"Attachment", "image/png", download, download},
        {"attachmentfoo; filename=a.txt", "text/plain", show, show}, {"attachment-x", "text/plain", show, show},
        {"\"attachment\"; filename=a.txt", "text/plain", show, show}, {"attachment foo", "text/plain", show, show},
        {"inline; filename=attachment.pdf", "application/pdf", show, show}, {"; attachment", "text/plain", show, show},
        {"inline", "application/pdf", show, show}, {"", "text/html", show, show}, {"", "", show, show},
        {"", "IMAGE/PNG", show, show}, {"", "application/zip; charset=binary", show, show}, {"", "image/bmp", show, show},
        {std::nullopt, "image/png", download, show}, {std::nullopt, "text/html", show, show},
    };
    for (const auto& [disposition, type, main, sub] : cases) {
        EXPECT_EQ(decideResponse(disposition, type, true), main) << disposition.value_or("-") << " " << type;
        EXPECT_EQ(decideResponse(disposition, type, false), sub) << disposition.value_or("-") << " " << type;
    }
    for (const char* type : {"application/octet-stream", "application/zip", "application/x-zip-compressed",
                             "application/gzip", "application/x-gzip", "application/x-tar",
                             "application/x-rar-compressed", "application/x-7z-compressed", "application/vnd.ms-excel",
                             "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet", "application/msword",
                             "application/vnd.openxmlformats-officedocument.wordprocessingml.document",
                             "application/vnd.ms-powerpoint",
                             "application/vnd.openxmlformats-officedocument.presentationml.presentation",
                             "image/png", "image/jpeg", "image/gif", "image/webp", "image/svg+xml"}) {
        EXPECT_EQ(decideResponse("", type, true), download) << type;
        EXPECT_EQ(decideResponse("", type, false), show) << type;
    }
}

}  // namespace
