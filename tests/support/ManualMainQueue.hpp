#pragma once
#include <functional>
#include <map>
#include <memory>
#include <utility>

#include "platform/MainQueue.hpp"
#include "platform/WeakOwner.hpp"

namespace corvina::testing {

// A main queue whose clock moves only when a test says so.
class ManualMainQueue final : public MainQueue {
public:
    void post(std::function<void()> work) override;
    TimerHandle after(Milliseconds delay, std::function<void()> work) override;
    TimerHandle every(Milliseconds interval, std::function<void()> work) override;

    // Runs posted work (and work that it posts) until none is left.
    void drain();
    // Moves the clock forward, running every timer that falls due, in time order.
    void advance(Milliseconds by);

    Milliseconds now() const override { return now_; }
    std::size_t pendingTimers() const { return timers_.size(); }

private:
    struct Timer {
        Milliseconds due;
        Milliseconds interval;  // zero for one-shot timers
        std::shared_ptr<std::function<void()>> work;
    };
    TimerHandle schedule(Milliseconds delay, Milliseconds interval, std::function<void()> work);

    Milliseconds now_{0};
    std::uint64_t nextID_ = 1;
    std::map<std::uint64_t, Timer> timers_;
    std::vector<std::function<void()>> posted_;
    WeakOwner<ManualMainQueue> owner_{this};
};

}  // namespace corvina::testing
