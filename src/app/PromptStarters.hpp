#pragma once
#include <vector>

#include "app/AppLanguage.hpp"
#include "app/PromptFile.hpp"

namespace corvina {

// The prompts a new library starts with, in `language`.
std::vector<Prompt> starterPrompts(AppLanguage language);

}  // namespace corvina
