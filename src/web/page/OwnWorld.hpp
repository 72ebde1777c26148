#pragma once
#include <webkit/webkit.h>

namespace corvina {

// Our script world in every page: the page's own scripts neither see nor change what runs
// there, though both see the same document.
inline constexpr const char* ownWorldName = "corvina";

// Starts noting, in each document the view loads, the user's own presses (a page may only
// object to being left once the user pressed something in it) and the editable element
// the user last typed in.
void watchUserInput(WebKitWebView* view);

}  // namespace corvina
