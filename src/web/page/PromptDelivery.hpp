#pragma once
#include <functional>
#include <string>

#include <webkit/webkit.h>

namespace corvina {

enum class DeliveryOutcome { sent, noMessageBox, couldNotSend, pageDidNotLoad };

// Does in the page what the user would do with a prompt: finds the page's message box
// (waiting a few seconds for one drawn late), puts the text in as typed text (the page's
// own editor sees the same input events as from the keyboard) and sends it the way the
// page's own send button or Enter key would. Runs in our own script world with the text
// as an argument, so no page script reads or changes what it does. `done` runs once, on
// the main loop.
void deliverPrompt(WebKitWebView* view, const std::string& text, std::function<void(DeliveryOutcome)> done);

}  // namespace corvina
