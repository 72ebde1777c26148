#pragma once
#include <string>
#include <string_view>

namespace corvina {

// The text of a script that runs in pages, `scripts/NAME.js` among the app's resources.
// Read once; a missing script is a build fault and ends the program.
const std::string& pageScript(std::string_view name);

}  // namespace corvina
