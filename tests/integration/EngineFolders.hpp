#pragma once
#include "web/WebViewStore.hpp"

namespace corvina::testing {

// Fresh data and cache folders for one store, kept until the test process ends. The
// engine's network process is shared and outlives a store; it watches the store's cache
// folder and crashes when that folder is deleted under it, and whatever load or download
// the next test has under way is then lost.
WebViewStore::Folders engineFolders();

}  // namespace corvina::testing
