#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/MainQueue.hpp"
#include "platform/WeakOwner.hpp"

namespace corvina {

class NotificationCenter;

// Keeps one observer registered; destroying it removes the observer.
class ObserverToken {
public:
    ObserverToken() = default;
    ObserverToken(WeakOwner<NotificationCenter>::Handle center, std::uint64_t id) : center_(std::move(center)), id_(id) {}
    ObserverToken(ObserverToken&& other) noexcept : center_(std::move(other.center_)), id_(std::exchange(other.id_, 0)) {}
    ObserverToken& operator=(ObserverToken&& other) noexcept;
    ObserverToken(const ObserverToken&) = delete;
    ObserverToken& operator=(const ObserverToken&) = delete;
    ~ObserverToken() { reset(); }

    void reset();
    bool active() const { return id_ != 0; }

private:
    WeakOwner<NotificationCenter>::Handle center_;
    std::uint64_t id_ = 0;
};

// Process-wide named notifications without payload; observers run on the main queue.
class NotificationCenter {
public:
    explicit NotificationCenter(MainQueue& queue);
    ~NotificationCenter();

    [[nodiscard]] ObserverToken addObserver(const std::string& name, std::function<void()> handler);
    void post(const std::string& name);

private:
    friend class ObserverToken;
    void remove(std::uint64_t id);

    struct Observer {
        std::string name;
        std::shared_ptr<std::function<void()>> handler;
    };

    MainQueue& queue_;
    std::map<std::uint64_t, Observer> observers_;
    std::uint64_t nextID_ = 1;
    WeakOwner<NotificationCenter> owner_{this};
};

}  // namespace corvina
