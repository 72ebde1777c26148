#include "web/AnswerActivity.hpp"

#include <regex>

#include "app/AppSettings.hpp"
#include "app/LocalizationManager.hpp"
#include "platform/DesktopNotifier.hpp"
#include "web/WebViewStore.hpp"
#include "web/asks/PageNotifications.hpp"

namespace corvina {

namespace {

constexpr LocalizedText answeredTitle{"%s has answered", "%s 已回答", "%s 已回答"};

}  // namespace

std::optional<int> unreadCountInTitle(const std::string& title) {
    static const std::regex counted(R"(^\s*\((\d{1,6})\+?\))");
    std::smatch match;
    if (!std::regex_search(title, match, counted)) return std::nullopt;
    const int count = std::stoi(match[1]);
    return count > 0 ? std::optional(count) : std::nullopt;
}

AnswerActivity::AnswerActivity(WebViewStore& store, const AppState& state, const AppSettings& settings,
                               const LocalizationManager& localization, DesktopNotifier& notifier,
                               std::function<bool(const PageKey&)> onScreen)
    : store_(store), state_(state), settings_(settings), localization_(localization), notifier_(notifier),
      onScreen_(std::move(onScreen)) {
    connections_ += store.observePages([this] { watchPages(); });
    const auto changed = [this] { screenChanged(); };
    connections_ += state.panes().observe(changed);
    connections_ += state.dockSide().observe(changed);
    connections_ += state.isWindowOutOfSight().observe(changed);
    watchPages();
}

AnswerActivity::~AnswerActivity() {
    connections_.clear();
    pageWatches_.clear();
    for (const auto& [id, key] : notices_) notifier_.withdraw(id);
}

void AnswerActivity::watchPages() {
    std::map<PageKey, Connections> watches;
    for (const auto& key : store_.pageKeys()) {
        auto* page = store_.existingPage(key);
        auto& watch = watches[key];
        watch += page->answering().observe([this] { republish(); });
        watch += page->title().observe([this] { republish(); });
        watch += page->observeAnswers([this, key](const std::string& text) { pageAnswered(key, text); });
    }
    pageWatches_ = std::move(watches);
    republish();
}

// An answer the user is looking at is seen at once; one elsewhere waits, and may say so.
void AnswerActivity::pageAnswered(const PageKey& key, const std::string& text) {
    ++finished_[key.serviceID];
    const bool seen = serviceOnScreen(key.serviceID);
    if (!seen) ready_[key.serviceID] = true;
    const auto* page = store_.existingPage(key);
    if (!seen && settings_.notifyWhenAnswered().get() && page && !page->notifiedRecently()) {
        // One notice per service: while an earlier one is unseen, this one replaces it (an
        // answer that paused halfway tells once, of its latest text).
        const std::string id = "answer-" + key.serviceID;
        notices_[id] = key;
        notifier_.send(DesktopNotice{id,
                                     answeredTitle.in(localization_.language(), store_.serviceName(key.serviceID)),
                                     text, showNotifiedServiceAction});
    }
    republish();
}

bool AnswerActivity::serviceOnScreen(const std::string& serviceID) const {
    const auto panes = state_.panes().panesShowing(serviceID);
    for (std::size_t copy = 0; copy < panes.size(); ++copy)
        if (onScreen_({serviceID, copy})) return true;
    return false;
}

void AnswerActivity::screenChanged() {
    bool changed = false;
    for (auto& [id, ready] : ready_)
        if (ready && serviceOnScreen(id)) ready = false, changed = true;
    if (changed) republish();
}

void AnswerActivity::republish() {
    std::map<std::string, ServiceActivity> services;
    for (const auto& key : store_.pageKeys()) {
        const auto* page = store_.existingPage(key);
        auto& activity = services[key.serviceID];
        activity.answering = activity.answering || page->answering().get();
        if (const auto unread = unreadCountInTitle(page->title().get()); unread && (!activity.unread || key.copy == 0))
            activity.unread = unread;
    }
    for (const auto& [id, count] : finished_) services[id].answersFinished = count;
    for (const auto& [id, ready] : ready_)
        if (ready) services[id].answerReady = true;
    std::erase_if(services, [](const auto& entry) { return entry.second == ServiceActivity{}; });
    if (services != services_.get()) services_.set(std::move(services));
}

ServiceActivity AnswerActivity::of(const std::string& serviceID) const {
    const auto it = services_.get().find(serviceID);
    return it == services_.get().end() ? ServiceActivity{} : it->second;
}

std::optional<PageKey> AnswerActivity::activateNotice(const std::string& id) {
    const auto it = notices_.find(id);
    if (it == notices_.end()) return std::nullopt;
    const PageKey key = it->second;
    notices_.erase(it);
    notifier_.withdraw(id);
    return store_.existingPage(key) ? std::optional(key) : std::nullopt;
}

}  // namespace corvina
