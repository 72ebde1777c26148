#include "web/page/OwnWorld.hpp"

#include "web/page/PageScripts.hpp"

namespace corvina {

void watchUserInput(WebKitWebView* view) {
    // One script for every page, made once.
    static WebKitUserScript* const script = webkit_user_script_new_for_world(
        scriptWithHelpers("user-input").c_str(), WEBKIT_USER_CONTENT_INJECT_TOP_FRAME,
        WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, ownWorldName, nullptr, nullptr);
    webkit_user_content_manager_add_script(webkit_web_view_get_user_content_manager(view), script);
}

}  // namespace corvina
