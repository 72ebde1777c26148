#include "web/page/PromptDeliveries.hpp"

#include <algorithm>

namespace corvina {

PromptDeliveries::PromptDeliveries(MainQueue& queue, const Published<bool>& loading, std::function<bool()> troubled,
                                   Start start)
    : queue_(queue), loading_(loading), troubled_(std::move(troubled)), start_(std::move(start)) {}

PromptDeliveries::~PromptDeliveries() {
    owner_.release();
    loadWatch_.disconnect();
    documentGone();
    for (auto& waiting : std::exchange(waiting_, {})) report(std::move(waiting->done), DeliveryOutcome::couldNotSend);
}

// A page still loading is waited for; one that then shows trouble did not load.
void PromptDeliveries::deliver(const std::string& text, Done done) {
    if (!loading_.get()) return startNow(text, std::move(done));
    auto waiting = std::make_unique<Waiting>(Waiting{text, std::move(done), {}});
    waiting->timeout = queue_.after(loadWait, owner_.bind([prompt = waiting.get()](PromptDeliveries& self) {
        const auto it = std::find_if(self.waiting_.begin(), self.waiting_.end(),
                                     [&](const auto& entry) { return entry.get() == prompt; });
        if (it == self.waiting_.end()) return;
        auto done = std::move((*it)->done);
        self.waiting_.erase(it);
        done(DeliveryOutcome::pageDidNotLoad);
    }));
    waiting_.push_back(std::move(waiting));
    if (!loadWatch_.connected()) loadWatch_ = loading_.observe([this] { loaded(); });
}

void PromptDeliveries::loaded() {
    if (loading_.get()) return;
    loadWatch_.disconnect();
    for (auto& prompt : std::exchange(waiting_, {})) startNow(prompt->text, std::move(prompt->done));
}

void PromptDeliveries::startNow(const std::string& text, Done done) {
    if (troubled_()) return report(std::move(done), DeliveryOutcome::pageDidNotLoad);
    const auto id = ++started_;
    inDocument_.push_back({id, std::move(done), queue_.after(deliveryLimit, owner_.bind([id](PromptDeliveries& self) {
                                                   self.finish(id, DeliveryOutcome::couldNotSend);
                                               }))});
    start_(text, owner_.bind([id](PromptDeliveries& self, DeliveryOutcome outcome) { self.finish(id, outcome); }));
}

// The first word on a prompt counts: the document's answer, the limit, or the document going.
void PromptDeliveries::finish(std::uint64_t id, DeliveryOutcome outcome) {
    const auto it = std::find_if(inDocument_.begin(), inDocument_.end(), [&](const auto& entry) { return entry.id == id; });
    if (it == inDocument_.end()) return;
    auto done = std::move(it->done);
    inDocument_.erase(it);
    done(outcome);
}

void PromptDeliveries::documentGone() {
    for (auto& delivery : std::exchange(inDocument_, {})) report(std::move(delivery.done), DeliveryOutcome::couldNotSend);
}

void PromptDeliveries::report(Done done, DeliveryOutcome outcome) {
    queue_.post([done = std::move(done), outcome] { done(outcome); });
}

}  // namespace corvina
