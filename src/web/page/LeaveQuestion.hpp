#pragma once
#include <functional>

#include <webkit/webkit.h>

namespace corvina {

// Asks a page, unhurried, whether it would object to being left. The engine gives a
// closing page only a moment to ask, and a busy one misses it. Only a page the user has
// pressed a key or pointer on may object, as with the engine: a script we run would count
// as the user's gesture, so use is noted from trusted input in our own script world
// (`watchUserInput`).
namespace LeaveQuestion {

// The answer arrives on the main loop, false when the page could not be asked; the view
// is kept until then.
void ask(WebKitWebView* view, std::function<void(bool objects)> answer);

}  // namespace LeaveQuestion

}  // namespace corvina
