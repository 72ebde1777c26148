#pragma once
#include <functional>

#include <gio/gio.h>

namespace corvina {

// Calls `connected` each time the system's network monitor reports that the network can
// be reached, after a change.
class NetworkWatch {
public:
    explicit NetworkWatch(std::function<void()> connected);
    ~NetworkWatch();
    NetworkWatch(const NetworkWatch&) = delete;
    NetworkWatch& operator=(const NetworkWatch&) = delete;

private:
    std::function<void()> connected_;
    GNetworkMonitor* monitor_;
    gulong handler_ = 0;
};

}  // namespace corvina
