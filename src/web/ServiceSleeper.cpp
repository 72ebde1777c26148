#include "web/ServiceSleeper.hpp"

#include <algorithm>

#include "app/AppSettings.hpp"
#include "web/WebViewStore.hpp"

namespace corvina {

ServiceSleeper::ServiceSleeper(MainQueue& queue, const AppState& state, const AppSettings& settings,
                               WebViewStore& store)
    : queue_(queue), state_(state), settings_(settings), store_(store) {
    connections_ += settings.sleepUnusedServicesAfter().observe([this] { restart(); });
    restart();
}

Milliseconds ServiceSleeper::checkInterval(std::chrono::seconds sleepAfter) {
    const auto tenth = std::chrono::duration_cast<Milliseconds>(sleepAfter) / 10;
    return std::clamp<Milliseconds>(tenth, std::chrono::seconds(1), std::chrono::seconds(30));
}

void ServiceSleeper::restart() {
    ticks_.reset();
    unused_.clear();
    const auto after = settings_.sleepUnusedServicesAfter().get();
    if (after.count() <= 0) return;
    interval_ = checkInterval(after);
    ticks_ = queue_.every(interval_, [this] { check(); });
}

void ServiceSleeper::check() {
    const auto limit = std::chrono::duration_cast<Milliseconds>(settings_.sleepUnusedServicesAfter().get());
    std::map<PageKey, Milliseconds> unused;
    for (const auto& key : store_.pageKeys()) {
        if (inUse(key)) continue;
        const auto it = unused_.find(key);
        const auto time = (it == unused_.end() ? Milliseconds(0) : it->second) + interval_;
        // A page that refused to go (it asks before leaving) is asked again next time.
        if (time >= limit)
            store_.putToSleep(key);
        unused[key] = time;
    }
    unused_ = std::move(unused);
}

bool ServiceSleeper::inUse(const PageKey& key) const {
    if (state_.pointedTabID().get() == key.serviceID) return true;
    return state_.panes().paneShowingCopy(key.serviceID, key.copy).has_value();
}

}  // namespace corvina
