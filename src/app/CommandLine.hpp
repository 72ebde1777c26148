#pragma once
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "app/AITab.hpp"
#include "app/AppLanguage.hpp"

namespace corvina {

// What one `corvina ARGUMENTS` asks of the running app.
struct CommandRequest {
    enum class Action { activate, help, toggle, ask, show };
    Action action = Action::activate;
    // The prompt of --ask; empty while it is still to be read from standard input.
    std::string prompt;
    bool promptFromInput = false;
    // The ids of --to as given, in the order given.
    std::optional<std::vector<std::string>> to;
    // The id of --show.
    std::string service;
};

// Why the arguments cannot be carried out, in the user's language.
struct CommandLineError {
    explicit CommandLineError(LocalizedText what, std::string detail = "", std::string choices = "")
        : what(what), detail(std::move(detail)), choices(std::move(choices)) {}

    LocalizedText what;
    // Fills the "%s" of `what`.
    std::string detail;
    // The ids there are, for an id that is none of them.
    std::string choices;

    std::string message(AppLanguage language) const;
};

using CommandParse = std::variant<CommandRequest, CommandLineError>;

// The arguments after the program's name. "--ask -" takes the prompt from standard input;
// "--ask=-" asks "-".
CommandParse parseCommandLine(const std::vector<std::string>& arguments);

// The same arguments with the prompt read from standard input in place of "--ask -" (without
// the line end that closes the input), for the primary instance.
std::vector<std::string> withPrompt(const std::vector<std::string>& arguments, const std::string& prompt);

// The services of `ids` among the visible `tabs`, in `tabs`' order.
std::variant<std::vector<AITab>, CommandLineError> chosenServices(const std::vector<std::string>& ids,
                                                                  const std::vector<AITab>& tabs);
// The service of `id` among the visible `tabs`.
std::variant<AITab, CommandLineError> chosenService(const std::string& id, const std::vector<AITab>& tabs);

// What --help prints.
std::string commandLineHelp(AppLanguage language);

}  // namespace corvina
