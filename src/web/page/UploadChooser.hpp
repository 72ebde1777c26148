#pragma once
#include <webkit/webkit.h>

namespace corvina {

// The page's upload button: a native chooser, modal to the page's window, with multiple
// selection exactly when the page asks for it. The page's accept list is not applied.
void chooseFilesToUpload(WebKitWebView* view, WebKitFileChooserRequest* request);

}  // namespace corvina
