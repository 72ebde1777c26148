#pragma once
#include <string>
#include <string_view>

namespace corvina {

// The text of a script that runs in pages, `scripts/NAME.js` among the app's resources.
// Read once; a missing script is a build fault and ends the program.
const std::string& pageScript(std::string_view name);

// NAME.js after the helpers several scripts share (`scripts/helpers.js`), in a function of
// its own: neither its names nor the helpers' reach the world's global scope, where other
// scripts would meet them. For user scripts; what the script evaluates to is not kept.
const std::string& scriptWithHelpers(std::string_view name);

// NAME.js as the body of an async function, the helpers declared before it: for
// webkit_web_view_call_async_javascript_function, whose arguments it sees by name.
const std::string& functionBodyWithHelpers(std::string_view name);

// The name under which page scripts post messages to the app (`answerChannel` in helpers.js).
inline constexpr const char* answerChannel = "corvinaAnswer";

}  // namespace corvina
