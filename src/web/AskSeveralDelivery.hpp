#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <sigc++/sigc++.h>

#include "app/AITab.hpp"
#include "app/AppState.hpp"
#include "app/AskRounds.hpp"
#include "platform/Observable.hpp"
#include "platform/WeakOwner.hpp"
#include "web/page/PageKey.hpp"
#include "web/page/PromptDelivery.hpp"

namespace corvina {

class WebViewStore;

// One prompt delivered into several services' own pages at once, as a new ask round: how
// each delivery goes, then each page's answer as it streams, ends and is read. A service's
// page in the pane that shows it is used, else its page in the primary pane, made and
// loaded if it has none; no pane changes what it shows.
class AskSeveralDelivery {
public:
    AskSeveralDelivery(WebViewStore& store, AskRounds& rounds);
    ~AskSeveralDelivery();
    AskSeveralDelivery(const AskSeveralDelivery&) = delete;
    AskSeveralDelivery& operator=(const AskSeveralDelivery&) = delete;

    // Ignored while a prompt is under way. The round's number, if it went.
    std::optional<std::uint64_t> send(const std::vector<AITab>& targets, const std::string& text);
    bool underWay() const { return waiting_ > 0; }
    // Every target has reported: whether all were sent.
    sigc::connection observeFinished(sigc::slot<void(bool allSent)> slot) const { return finished_.connect(std::move(slot)); }

private:
    using Asked = std::pair<std::uint64_t, std::string>;

    void reported(std::uint64_t round, const std::string& id, DeliveryOutcome outcome);
    // Follows the page's answers for the round until a newer ask of the same page.
    void follow(std::uint64_t round, const PageKey& page);
    void pageAnswered(std::uint64_t round, const PageKey& page);
    void pagesChanged();

    WebViewStore& store_;
    AskRounds& rounds_;
    int waiting_ = 0;
    bool allSent_ = true;
    mutable sigc::signal<void(bool)> finished_;
    // Per page asked: the round it answers for, and the watch on it.
    struct Following {
        std::uint64_t round;
        Connections watch;
    };
    std::map<PageKey, Following> following_;
    ScopedConnection pagesWatch_;
    WeakOwner<AskSeveralDelivery> owner_{this};
};

}  // namespace corvina
