#include "web/AskTogether.hpp"

#include "app/AskSeveral.hpp"
#include "web/AskSeveralDelivery.hpp"

namespace corvina {

bool askTogether(AppContext& context, const std::vector<AITab>& targets, const std::string& prompt) {
    const bool blank = prompt.find_first_not_of(" \t\r\n") == std::string::npos;
    if (blank || targets.empty() || context.askSeveralDelivery.underWay()) return false;
    context.askSeveral.remember(prompt);
    if (const auto ids = context.askSeveral.panesFor(targets)) context.appState.showSideBySide(*ids);
    return context.askSeveralDelivery.send(targets, prompt).has_value();
}

}  // namespace corvina
