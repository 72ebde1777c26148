#pragma once
#include <string>

namespace corvina::testing {

// The Markdown the answering fixture page renders its answer `name` from.
std::string answerSource(const std::string& name);

// Runs of white space as one space, none at the ends: the lines and indentation a
// converter chooses are not what is compared.
std::string spaced(const std::string& text);

}  // namespace corvina::testing
