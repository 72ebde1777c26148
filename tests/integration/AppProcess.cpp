#include "integration/AppProcess.hpp"

#include <signal.h>
#include <sys/wait.h>

#include <cstdio>
#include <memory>
#include <thread>

namespace corvina::testing {

AppProcess::AppProcess(std::vector<std::string> wrapper) {
    std::vector<std::string> args = std::move(wrapper);
    args.push_back(CORVINA_BINARY);
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    g_spawn_async(nullptr, argv.data(), nullptr, GSpawnFlags(G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_SEARCH_PATH),
                  nullptr, nullptr, &pid_, nullptr);
}

AppProcess::~AppProcess() {
    if (pid_ <= 0) return;
    if (running()) {
        kill(pid_, SIGTERM);
        waitForExit(std::chrono::seconds(5));
        if (running()) kill(pid_, SIGKILL);
    }
    waitpid(pid_, nullptr, 0);
    g_spawn_close_pid(pid_);
}

bool AppProcess::running() const { return pid_ > 0 && kill(pid_, 0) == 0 && waitpid(pid_, nullptr, WNOHANG) == 0; }

bool AppProcess::waitForExit(std::chrono::milliseconds timeout) const {
    return eventually([this] { return !running(); }, timeout);
}

std::string AppProcess::waitForWindow(std::chrono::milliseconds timeout) const {
    std::string window;
    eventually(
        [&] {
            if (!running()) return false;
            // Its own main window, titled "Corvina": a window of the test process itself (a main
            // window under test) may still be on the display.
            window = commandOutput("xdotool search --onlyvisible --pid " + std::to_string(pid_) +
                                   " --name '^Corvina$' 2>/dev/null | head -1");
            while (!window.empty() && window.back() == '\n') window.pop_back();
            return !window.empty();
        },
        timeout);
    return window;
}

void AppProcess::sendKeys(const std::string& window, const std::string& keys) const {
    commandOutput("xdotool windowactivate --sync " + window + " 2>/dev/null; xdotool windowfocus --sync " + window +
                  " 2>/dev/null; xdotool key --clearmodifiers --window " + window + " " + keys);
}

PrivateSessionBus::PrivateSessionBus() {
    if (const char* previous = g_getenv("DBUS_SESSION_BUS_ADDRESS")) previous_ = previous;
    const std::string started =
        commandOutput("dbus-daemon --session --fork --print-address=1 --print-pid=1 --nopidfile 2>/dev/null | head -2");
    const auto newline = started.find('\n');
    if (newline == std::string::npos) return;
    address_ = started.substr(0, newline);
    pid_ = started.substr(newline + 1);
    while (!pid_.empty() && pid_.back() == '\n') pid_.pop_back();
    g_setenv("DBUS_SESSION_BUS_ADDRESS", address_.c_str(), true);
}

PrivateSessionBus::~PrivateSessionBus() {
    if (address_.empty()) return;
    kill(std::stoi(pid_), SIGTERM);
    g_setenv("DBUS_SESSION_BUS_ADDRESS", previous_.c_str(), true);
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        while (g_main_context_iteration(nullptr, false)) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

bool runPostedWork(std::chrono::milliseconds timeout) {
    // Posted as the app's main queue posts (an idle source of default priority), behind its work.
    auto ran = std::make_shared<bool>(false);
    g_idle_add_full(
        G_PRIORITY_DEFAULT,
        +[](gpointer data) {
            **static_cast<std::shared_ptr<bool>*>(data) = true;
            return G_SOURCE_REMOVE;
        },
        new std::shared_ptr<bool>(ran), +[](gpointer data) { delete static_cast<std::shared_ptr<bool>*>(data); });
    return eventually([&] { return *ran; }, timeout);
}

std::string commandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

}  // namespace corvina::testing
