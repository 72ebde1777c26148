#pragma once
#include <functional>

#include <gio/gio.h>

#include "platform/SignalConnection.hpp"

namespace corvina {

// Whether the system reports a network connection now.
class NetworkState {
public:
    virtual ~NetworkState() = default;
    virtual bool available() const = 0;
};

// The system's network monitor. Calls `connected` each time it reports that the network
// can be reached, after a change.
class NetworkWatch final : public NetworkState {
public:
    explicit NetworkWatch(std::function<void()> connected);
    ~NetworkWatch() override;
    NetworkWatch(const NetworkWatch&) = delete;
    NetworkWatch& operator=(const NetworkWatch&) = delete;

    bool available() const override;

private:
    std::function<void()> connected_;
    GNetworkMonitor* monitor_;
    SignalConnection changed_;
};

}  // namespace corvina
