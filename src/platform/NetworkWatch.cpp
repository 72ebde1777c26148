#include "platform/NetworkWatch.hpp"

namespace corvina {

NetworkWatch::NetworkWatch(std::function<void()> connected)
    : connected_(std::move(connected)),
      monitor_(G_NETWORK_MONITOR(g_object_ref(g_network_monitor_get_default()))),
      changed_(
          monitor_, "network-changed",
          +[](GNetworkMonitor*, gboolean available, gpointer self) {
              if (available) static_cast<NetworkWatch*>(self)->connected_();
          },
          this) {}

NetworkWatch::~NetworkWatch() {
    changed_.disconnect();
    g_object_unref(monitor_);
}

bool NetworkWatch::available() const { return g_network_monitor_get_network_available(monitor_); }

}  // namespace corvina
