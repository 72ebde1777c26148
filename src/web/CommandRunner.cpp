#include "web/CommandRunner.hpp"

#include "app/AskSeveral.hpp"
#include "app/CommandLine.hpp"
#include "app/LocalizationManager.hpp"
#include "web/AskSeveralDelivery.hpp"
#include "web/AskTogether.hpp"

namespace corvina {

namespace {

constexpr LocalizedText underWay{"A prompt is still being delivered; try again when it has gone",
                                 "上一個提問仍在送出中，送出後再試一次", "上一个提问仍在发送中，发送后再试一次"};
constexpr LocalizedText noneChosen{"No service is chosen in Ask Several", "「同時提問」沒有選擇任何服務",
                                   "“同时提问”没有选择任何服务"};

}  // namespace

CommandRunner::CommandRunner(AppContext& context, Window window) : context_(context), window_(std::move(window)) {}

CommandOutcome CommandRunner::run(const std::vector<std::string>& arguments) {
    const auto parse = parseCommandLine(arguments);
    if (const auto* error = std::get_if<CommandLineError>(&parse))
        return refused(error->message(context_.localization.language()), CommandOutcome::wrongArguments);
    const auto& request = std::get<CommandRequest>(parse);
    switch (request.action) {
        case CommandRequest::Action::help: return {CommandOutcome::done, commandLineHelp(context_.localization.language()), ""};
        case CommandRequest::Action::ask: return ask(request.prompt, request.to);
        case CommandRequest::Action::show: return show(request.service);
        case CommandRequest::Action::toggle: toggle(); break;
        case CommandRequest::Action::activate: window_.present(0); break;
    }
    return {};
}

CommandOutcome CommandRunner::ask(const std::string& prompt, const std::optional<std::vector<std::string>>& to) {
    auto targets = context_.askSeveral.targets();
    if (to) {
        auto chosen = chosenServices(*to, context_.appState.visibleTabs());
        if (const auto* error = std::get_if<CommandLineError>(&chosen))
            return refused(error->message(context_.localization.language()), CommandOutcome::wrongArguments);
        targets = std::get<std::vector<AITab>>(chosen);
    }
    if (context_.askSeveralDelivery.underWay()) return refused(context_.localization.text(underWay), CommandOutcome::notNow);
    if (targets.empty()) return refused(context_.localization.text(noneChosen), CommandOutcome::notNow);
    // Opening the composer, even an open one, puts the keyboard in it.
    context_.askSeveral.setOpen(true);
    window_.present(0);
    if (!askTogether(context_, targets, prompt))
        return refused(context_.localization.text(underWay), CommandOutcome::notNow);
    CommandOutcome outcome;
    for (const auto& target : targets) outcome.output += target.id + "\n";
    return outcome;
}

CommandOutcome CommandRunner::show(const std::string& id) {
    const auto chosen = chosenService(id, context_.appState.visibleTabs());
    if (const auto* error = std::get_if<CommandLineError>(&chosen))
        return refused(error->message(context_.localization.language()), CommandOutcome::wrongArguments);
    context_.appState.showService(id);
    window_.present(0);
    return {};
}

void CommandRunner::toggle(std::uint32_t time) {
    if (window_.isActive()) return window_.hide();
    // Opening the composer, even an open one, puts the keyboard in it.
    context_.askSeveral.setOpen(true);
    window_.present(time);
}

CommandOutcome CommandRunner::refused(const std::string& message, int status) const {
    return {status, "", "corvina: " + message + "\n"};
}

}  // namespace corvina
