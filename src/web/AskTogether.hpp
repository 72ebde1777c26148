#pragma once
#include <string>
#include <vector>

#include "app/AITab.hpp"
#include "web/AppContext.hpp"

namespace corvina {

// Asks the services as the composer does: the prompt joins the history, the services go
// side by side when the user wants that, and the prompt is delivered. False, changing
// nothing, for a blank prompt, no services, or while a prompt is under way.
bool askTogether(AppContext& context, const std::vector<AITab>& targets, const std::string& prompt);

}  // namespace corvina
