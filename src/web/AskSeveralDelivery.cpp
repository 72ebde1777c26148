#include "web/AskSeveralDelivery.hpp"

#include <algorithm>

#include "web/WebViewStore.hpp"

namespace corvina {

namespace {

TargetStatus statusOf(DeliveryOutcome outcome) {
    switch (outcome) {
        case DeliveryOutcome::sent: return TargetStatus::sent;
        case DeliveryOutcome::noMessageBox: return TargetStatus::noMessageBox;
        case DeliveryOutcome::pageDidNotLoad: return TargetStatus::pageDidNotLoad;
        case DeliveryOutcome::couldNotSend: break;
    }
    return TargetStatus::couldNotSend;
}

}  // namespace

AskSeveralDelivery::AskSeveralDelivery(WebViewStore& store, const AppState& state) : store_(store), state_(state) {}

void AskSeveralDelivery::send(const std::vector<AITab>& targets, const std::string& text) {
    if (underWay() || targets.empty() || text.find_first_not_of(" \t\r\n") == std::string::npos) return;
    std::map<std::string, TargetStatus> sending;
    for (const auto& tab : targets) sending[tab.id] = TargetStatus::sending;
    waiting_ = static_cast<int>(sending.size());
    statuses_.set(std::move(sending));
    for (const auto& tab : targets) {
        auto& page = store_.page(tab);
        page.deliver(text, owner_.bind([id = tab.id](AskSeveralDelivery& self, DeliveryOutcome outcome) {
            self.reported(id, outcome);
        }));
    }
}

void AskSeveralDelivery::reported(const std::string& id, DeliveryOutcome outcome) {
    auto statuses = statuses_.get();
    auto it = statuses.find(id);
    if (it == statuses.end() || it->second != TargetStatus::sending) return;
    it->second = statusOf(outcome);
    statuses_.set(statuses);
    if (--waiting_ > 0) return;
    finished_.emit(std::all_of(statuses.begin(), statuses.end(),
                               [](const auto& entry) { return entry.second == TargetStatus::sent; }));
}

}  // namespace corvina
