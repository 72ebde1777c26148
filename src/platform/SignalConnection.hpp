#pragma once
#include <utility>

#include <glib-object.h>

namespace corvina {

// One handler on a GObject signal, disconnected when this goes (or earlier with
// `disconnect`). The instance is held weakly: one finalized first needs no disconnect.
class SignalConnection {
public:
    SignalConnection() = default;
    template <class Callback>
    SignalConnection(gpointer instance, const char* signal, Callback callback, gpointer data)
        : instance_(G_OBJECT(instance)),
          handler_(g_signal_connect(instance, signal, reinterpret_cast<GCallback>(callback), data)) {
        g_object_add_weak_pointer(instance_, reinterpret_cast<gpointer*>(&instance_));
    }
    SignalConnection(SignalConnection&& other) noexcept { *this = std::move(other); }
    SignalConnection& operator=(SignalConnection&& other) noexcept {
        if (this == &other) return *this;
        disconnect();
        handler_ = std::exchange(other.handler_, 0);
        if (other.instance_) {
            g_object_remove_weak_pointer(other.instance_, reinterpret_cast<gpointer*>(&other.instance_));
            instance_ = std::exchange(other.instance_, nullptr);
            g_object_add_weak_pointer(instance_, reinterpret_cast<gpointer*>(&instance_));
        }
        return *this;
    }
    SignalConnection(const SignalConnection&) = delete;
    SignalConnection& operator=(const SignalConnection&) = delete;
    ~SignalConnection() { disconnect(); }

    void disconnect() {
        if (instance_) {
            g_object_remove_weak_pointer(instance_, reinterpret_cast<gpointer*>(&instance_));
            if (handler_) g_signal_handler_disconnect(instance_, handler_);
        }
        instance_ = nullptr;
        handler_ = 0;
    }
    // Not called while blocked (a view updating the control it observes).
    void block() {
        if (instance_) g_signal_handler_block(instance_, handler_);
    }
    void unblock() {
        if (instance_) g_signal_handler_unblock(instance_, handler_);
    }

private:
    GObject* instance_ = nullptr;
    gulong handler_ = 0;
};

}  // namespace corvina
