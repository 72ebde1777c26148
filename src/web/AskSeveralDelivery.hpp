#pragma once
#include <map>
#include <string>
#include <vector>

#include <sigc++/sigc++.h>

#include "app/AITab.hpp"
#include "app/AppState.hpp"
#include "platform/Observable.hpp"
#include "platform/WeakOwner.hpp"
#include "web/page/PromptDelivery.hpp"

namespace corvina {

class WebViewStore;

enum class TargetStatus { sending, sent, noMessageBox, couldNotSend, pageDidNotLoad };

// One prompt delivered into several services' own pages at once. A service's page in the
// pane that shows it is used, else its page in the primary pane, made and loaded if it has
// none; no pane changes what it shows.
class AskSeveralDelivery {
public:
    AskSeveralDelivery(WebViewStore& store, const AppState& state);

    // Ignored while a prompt is under way.
    void send(const std::vector<AITab>& targets, const std::string& text);
    bool underWay() const { return waiting_ > 0; }
    // Service id → how its delivery goes, for the latest prompt.
    const Published<std::map<std::string, TargetStatus>>& statuses() const { return statuses_; }
    // Every target has reported: whether all were sent.
    sigc::connection observeFinished(sigc::slot<void(bool allSent)> slot) const { return finished_.connect(std::move(slot)); }

private:
    void reported(const std::string& id, DeliveryOutcome outcome);

    WebViewStore& store_;
    const AppState& state_;
    Published<std::map<std::string, TargetStatus>> statuses_;
    int waiting_ = 0;
    mutable sigc::signal<void(bool)> finished_;
    WeakOwner<AskSeveralDelivery> owner_{this};
};

}  // namespace corvina
