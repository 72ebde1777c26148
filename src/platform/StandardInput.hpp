#pragma once
#include <string>

namespace corvina {

// All of standard input, up to its end.
std::string readStandardInput();

}  // namespace corvina
