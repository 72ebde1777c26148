#pragma once
#include <functional>

#include <webkit/webkit.h>

namespace corvina {

// Asks a page, unhurried, whether it would object to being left. The engine gives a
// closing page only a moment to ask, and a busy one misses it. Only a page the user has
// pressed a key or pointer on may object, as with the engine: a script we run would count
// as the user's gesture, so use is noted from trusted input in a script world of our own.
namespace LeaveQuestion {

// Starts noting the user's presses in each document the view loads.
void watchUse(WebKitWebView* view);

// The answer arrives on the main loop, false when the page could not be asked; the view
// is kept until then.
void ask(WebKitWebView* view, std::function<void(bool objects)> answer);

}  // namespace LeaveQuestion

}  // namespace corvina
