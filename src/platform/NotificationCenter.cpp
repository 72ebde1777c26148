#include "platform/NotificationCenter.hpp"

namespace corvina {

ObserverToken& ObserverToken::operator=(ObserverToken&& other) noexcept {
    if (this != &other) {
        reset();
        center_ = std::move(other.center_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

void ObserverToken::reset() {
    if (id_ == 0) return;
    if (auto* center = center_.get()) center->remove(id_);
    id_ = 0;
}

NotificationCenter::NotificationCenter(MainQueue& queue) : queue_(queue) {}

NotificationCenter::~NotificationCenter() = default;

ObserverToken NotificationCenter::addObserver(const std::string& name, std::function<void()> handler) {
    auto id = nextID_++;
    observers_[id] = Observer{name, std::make_shared<std::function<void()>>(std::move(handler))};
    return ObserverToken(owner_.handle(), id);
}

void NotificationCenter::post(const std::string& name) {
    for (const auto& [id, observer] : observers_) {
        if (observer.name != name) continue;
        // Delivered later; an observer removed in between is not called.
        std::weak_ptr<std::function<void()>> weak = observer.handler;
        queue_.post([weak] {
            if (auto handler = weak.lock()) (*handler)();
        });
    }
}

void NotificationCenter::remove(std::uint64_t id) { observers_.erase(id); }

}  // namespace corvina
