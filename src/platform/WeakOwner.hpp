#pragma once
#include <memory>
#include <utility>

namespace corvina {

// For callbacks that may run after their object is gone (queued tasks, engine replies,
// other objects' signals): the object holds one WeakOwner, and what it hands out holds
// the object only weakly. A callback arriving after the owner went does nothing.
template <class T>
class WeakOwner {
public:
    explicit WeakOwner(T* owner) : token_(std::make_shared<T*>(owner)) {}
    WeakOwner(const WeakOwner&) = delete;
    WeakOwner& operator=(const WeakOwner&) = delete;

    // `f(owner, args...)` while the owner lives; nothing afterwards.
    template <class F>
    auto bind(F f) const {
        return [weak = std::weak_ptr<T*>(token_), f = std::move(f)](auto&&... args) {
            if (auto owner = weak.lock()) f(**owner, std::forward<decltype(args)>(args)...);
        };
    }

    // The owner for callbacks that keep it longer than one call; empty once it went.
    class Handle {
    public:
        Handle() = default;
        T* get() const {
            auto owner = weak_.lock();
            return owner ? *owner : nullptr;
        }

    private:
        friend class WeakOwner;
        explicit Handle(std::weak_ptr<T*> weak) : weak_(std::move(weak)) {}
        std::weak_ptr<T*> weak_;
    };
    Handle handle() const { return Handle(token_); }

    // From here on every callback finds the owner gone (for teardown that sets off callbacks).
    void release() { token_.reset(); }

private:
    std::shared_ptr<T*> token_;
};

}  // namespace corvina
