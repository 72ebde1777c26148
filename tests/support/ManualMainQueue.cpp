#include "support/ManualMainQueue.hpp"

#include <algorithm>

namespace corvina::testing {

void ManualMainQueue::post(std::function<void()> work) { posted_.push_back(std::move(work)); }

TimerHandle ManualMainQueue::after(Milliseconds delay, std::function<void()> work) {
    return schedule(delay, Milliseconds{0}, std::move(work));
}

TimerHandle ManualMainQueue::every(Milliseconds interval, std::function<void()> work) {
    return schedule(interval, interval, std::move(work));
}

TimerHandle ManualMainQueue::schedule(Milliseconds delay, Milliseconds interval, std::function<void()> work) {
    const auto id = nextID_++;
    timers_[id] = Timer{now_ + delay, interval, std::make_shared<std::function<void()>>(std::move(work))};
    return TimerHandle(owner_.bind([id](ManualMainQueue& self) { self.timers_.erase(id); }));
}

void ManualMainQueue::drain() {
    while (!posted_.empty()) {
        auto batch = std::exchange(posted_, {});
        for (auto& work : batch) work();
    }
}

void ManualMainQueue::advance(Milliseconds by) {
    const auto end = now_ + by;
    drain();
    for (;;) {
        auto next = std::min_element(timers_.begin(), timers_.end(),
                                     [](const auto& a, const auto& b) { return a.second.due < b.second.due; });
        if (next == timers_.end() || next->second.due > end) break;
        now_ = next->second.due;
        auto work = next->second.work;  // keeps the work alive if it cancels itself
        if (next->second.interval.count() > 0)
            next->second.due += next->second.interval;
        else
            timers_.erase(next);
        (*work)();
        drain();
    }
    now_ = end;
}

}  // namespace corvina::testing
