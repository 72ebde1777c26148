#pragma once
#include <chrono>
#include <functional>
#include <memory>
#include <utility>

namespace corvina {

using Milliseconds = std::chrono::milliseconds;

// Owns one scheduled piece of work: destroying or resetting the handle cancels it.
class TimerHandle {
public:
    TimerHandle() = default;
    explicit TimerHandle(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    TimerHandle(TimerHandle&& other) noexcept : cancel_(std::exchange(other.cancel_, nullptr)) {}
    TimerHandle& operator=(TimerHandle&& other) noexcept {
        if (this != &other) {
            reset();
            cancel_ = std::exchange(other.cancel_, nullptr);
        }
        return *this;
    }
    TimerHandle(const TimerHandle&) = delete;
    TimerHandle& operator=(const TimerHandle&) = delete;
    ~TimerHandle() { reset(); }

    void reset() {
        if (auto cancel = std::exchange(cancel_, nullptr)) cancel();
    }
    bool active() const { return static_cast<bool>(cancel_); }

private:
    std::function<void()> cancel_;
};

// All deferred work of the app runs here, on the main thread.
class MainQueue {
public:
    virtual ~MainQueue() = default;

    // Runs `work` soon, after the current event has been handled.
    virtual void post(std::function<void()> work) = 0;
    // Runs `work` once after `delay`, unless the handle is dropped first.
    virtual TimerHandle after(Milliseconds delay, std::function<void()> work) = 0;
    // Runs `work` every `interval` until the handle is dropped.
    virtual TimerHandle every(Milliseconds interval, std::function<void()> work) = 0;
    // The time the timers go by, from an arbitrary start; it never goes back.
    virtual Milliseconds now() const = 0;
};

// The GLib main loop of the running application.
class GlibMainQueue final : public MainQueue {
public:
    void post(std::function<void()> work) override;
    TimerHandle after(Milliseconds delay, std::function<void()> work) override;
    TimerHandle every(Milliseconds interval, std::function<void()> work) override;
    Milliseconds now() const override;
};

}  // namespace corvina
