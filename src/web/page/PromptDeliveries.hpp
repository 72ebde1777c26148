#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/MainQueue.hpp"
#include "platform/Observable.hpp"
#include "platform/SignalConnection.hpp"
#include "platform/WeakOwner.hpp"
#include "web/page/PromptDelivery.hpp"

namespace corvina {

// The prompts on their way into one page: those waiting for it to load, and those its
// document is putting in. Each one's `done` runs exactly once, on the main queue: with the
// document's answer, or when a limit passes, or when the page or its document goes.
class PromptDeliveries {
public:
    using Done = std::function<void(DeliveryOutcome)>;
    // Starts putting `text` into the loaded document; calls back with how it went.
    using Start = std::function<void(const std::string& text, Done done)>;

    // A page still loading is waited for this long.
    static constexpr Milliseconds loadWait{30000};
    // A document that neither answers nor goes within this time did not take the prompt.
    static constexpr Milliseconds deliveryLimit{20000};

    // `troubled`: the loaded page shows why it could not load, so there is nothing to fill.
    PromptDeliveries(MainQueue& queue, const Published<bool>& loading, std::function<bool()> troubled, Start start);
    ~PromptDeliveries();
    PromptDeliveries(const PromptDeliveries&) = delete;
    PromptDeliveries& operator=(const PromptDeliveries&) = delete;

    void deliver(const std::string& text, Done done);
    // The document the prompts went into is gone: they were not sent.
    void documentGone();

private:
    struct Waiting {
        std::string text;
        Done done;
        TimerHandle timeout;
    };
    struct InDocument {
        std::uint64_t id;
        Done done;
        TimerHandle limit;
    };

    void startNow(const std::string& text, Done done);
    void loaded();
    void finish(std::uint64_t id, DeliveryOutcome outcome);
    void report(Done done, DeliveryOutcome outcome);

    WeakOwner<PromptDeliveries> owner_{this};
    MainQueue& queue_;
    const Published<bool>& loading_;
    std::function<bool()> troubled_;
    Start start_;
    std::vector<std::unique_ptr<Waiting>> waiting_;
    std::vector<InDocument> inDocument_;
    std::uint64_t started_ = 0;
    ScopedConnection loadWatch_;
};

}  // namespace corvina
