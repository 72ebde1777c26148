#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "web/AppContext.hpp"

namespace corvina {

// What a `corvina` run gets back: its exit status and what it prints.
struct CommandOutcome {
    static constexpr int done = 0;
    static constexpr int notNow = 1;
    static constexpr int wrongArguments = 2;

    int status = done;
    std::string output;
    std::string errors;
};

// Carries out the command line of a `corvina` run in the running app. Wrong arguments
// change nothing.
class CommandRunner {
public:
    // What the runner asks of the main window, which is made when there is none yet.
    struct Window {
        // Restored, slid out when docked and raised; `time` is the X server time of the
        // user's key press that asked for it, 0 when there is none.
        std::function<void(std::uint32_t time)> present;
        // In front of the user with the keyboard.
        std::function<bool()> isActive;
        // Slid in when docked, otherwise minimised.
        std::function<void()> hide;
    };

    CommandRunner(AppContext& context, Window window);

    CommandOutcome run(const std::vector<std::string>& arguments);
    // Hides the window when it is the active one, else brings it with the keyboard in Ask
    // Several. `time` as for `present`.
    void toggle(std::uint32_t time = 0);

private:
    CommandOutcome ask(const std::string& prompt, const std::optional<std::vector<std::string>>& to);
    CommandOutcome show(const std::string& id);
    CommandOutcome refused(const std::string& message, int status) const;

    AppContext& context_;
    Window window_;
};

}  // namespace corvina
