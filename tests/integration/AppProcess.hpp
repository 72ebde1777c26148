#pragma once
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <glib.h>

namespace corvina::testing {

// The real corvina binary started as a user would, in the test's private HOME and display.
class AppProcess {
public:
    explicit AppProcess(std::vector<std::string> wrapper = {});
    ~AppProcess();

    bool running() const;
    GPid pid() const { return pid_; }
    // The X11 window id of its visible window, once it has one (0 if none in time).
    std::string waitForWindow(std::chrono::milliseconds timeout = std::chrono::seconds(20)) const;
    // Sends keys to that window with xdotool (e.g. "ctrl+alt+s").
    void sendKeys(const std::string& window, const std::string& keys) const;
    // Waits until the process has ended by itself.
    bool waitForExit(std::chrono::milliseconds timeout) const;

private:
    GPid pid_ = 0;
};

// A session bus of the test's own, for the processes it starts (dbus-daemon), until it ends.
class PrivateSessionBus {
public:
    PrivateSessionBus();
    ~PrivateSessionBus();
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    // Empty when no bus could be started.
    const std::string& address() const { return address_; }

private:
    std::string address_;
    std::string pid_;
    std::string previous_;
};

// Polls `condition` every 50 ms while running the GLib main context, until it holds.
bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Runs the GLib main context until work posted to it before this call has run: posted work
// runs in order, so whatever an earlier call deferred to the main queue has had its turn.
bool runPostedWork(std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Runs a shell command and returns its standard output.
std::string commandOutput(const std::string& command);

}  // namespace corvina::testing
