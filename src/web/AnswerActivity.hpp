#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "app/AppState.hpp"
#include "platform/Observable.hpp"
#include "web/page/PageKey.hpp"

namespace corvina {

class AppSettings;
class DesktopNotifier;
class LocalizationManager;
class ServicePage;
class WebViewStore;

// What the tab bar shows of a service's pages beyond loading.
struct ServiceActivity {
    // A page of the service is streaming an answer now.
    bool answering = false;
    // An answer finished while the service was not on screen, and it has not been shown since.
    bool answerReady = false;
    // The count a page title starts with, "(3) …".
    std::optional<int> unread;
    // Answers finished in this run, for telling a new one from an old one.
    unsigned answersFinished = 0;

    bool operator==(const ServiceActivity&) const = default;
};

// The unread count at the start of a page title, "(3) Chat", if there is one.
std::optional<int> unreadCountInTitle(const std::string& title);

// Follows every page's answers: whether a service is answering, whether an answer is ready
// that the user has not seen, and the desktop notice that says so.
class AnswerActivity {
public:
    static constexpr std::size_t noticeBodyLength = 100;

    // `onScreen`: whether the page is visible to the user now (in a pane of the active,
    // shown window).
    AnswerActivity(WebViewStore& store, const AppState& state, const AppSettings& settings,
                   const LocalizationManager& localization, DesktopNotifier& notifier,
                   std::function<bool(const PageKey&)> onScreen);
    ~AnswerActivity();
    AnswerActivity(const AnswerActivity&) = delete;
    AnswerActivity& operator=(const AnswerActivity&) = delete;

    // Service id → its activity; services without any are left out.
    const Published<std::map<std::string, ServiceActivity>>& services() const { return services_; }
    ServiceActivity of(const std::string& serviceID) const;
    // The user clicked an answer notice: the page that answered, if it is still there.
    std::optional<PageKey> activateNotice(const std::string& id);
    // Something about what is on screen changed (the window's focus, say): answers of
    // services now shown are seen.
    void screenChanged();

private:
    void watchPages();
    void pageAnswered(const PageKey& key, const std::string& text);
    void republish();
    bool serviceOnScreen(const std::string& serviceID) const;

    WebViewStore& store_;
    const AppState& state_;
    const AppSettings& settings_;
    const LocalizationManager& localization_;
    DesktopNotifier& notifier_;
    std::function<bool(const PageKey&)> onScreen_;
    Published<std::map<std::string, ServiceActivity>> services_;
    // Per service: answers finished, and whether one is ready that was not seen.
    std::map<std::string, unsigned> finished_;
    std::map<std::string, bool> ready_;
    // Notice id → the page whose answer it tells of.
    std::map<std::string, PageKey> notices_;
    std::map<PageKey, Connections> pageWatches_;
    Connections connections_;
};

}  // namespace corvina
