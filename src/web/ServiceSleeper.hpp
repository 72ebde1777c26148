#pragma once
#include <chrono>
#include <map>
#include <string>

#include "app/AppState.hpp"
#include "platform/MainQueue.hpp"
#include "platform/Observable.hpp"
#include "web/page/PageKey.hpp"

namespace corvina {

class AppSettings;
class WebViewStore;

// Puts to sleep the pages of services not used for the time the settings give: a page
// shown in a pane, or under the pointer in the tab bar, counts as used. Off while
// the setting is off.
class ServiceSleeper {
public:
    ServiceSleeper(MainQueue& queue, const AppState& state, const AppSettings& settings, WebViewStore& store);
    ServiceSleeper(const ServiceSleeper&) = delete;
    ServiceSleeper& operator=(const ServiceSleeper&) = delete;

    // How often pages are looked at: a tenth of the sleep time, between 1 and 30 seconds.
    static Milliseconds checkInterval(std::chrono::seconds sleepAfter);

private:
    void restart();
    void check();
    bool inUse(const PageKey& key) const;

    MainQueue& queue_;
    const AppState& state_;
    const AppSettings& settings_;
    WebViewStore& store_;
    Milliseconds interval_{0};
    // How long each page has gone unused.
    std::map<PageKey, Milliseconds> unused_;
    TimerHandle ticks_;
    Connections connections_;
};

}  // namespace corvina
