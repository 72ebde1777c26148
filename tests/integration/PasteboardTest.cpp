#include <gtest/gtest.h>

#include <gdkmm/display.h>

#include "integration/AppProcess.hpp"
#include "platform/Pasteboard.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// Another application copies text, as a user would with any other program.
void copyFromAnotherApp(const std::string& text) {
    commandOutput("printf '%s' '" + text + "' | xclip -selection clipboard -i >/dev/null 2>&1");
}

TEST(DisplayPasteboard, SeesTextCopiedByOtherApplications) {
    if (commandOutput("command -v xclip").empty()) GTEST_SKIP() << "xclip is installed by scripts/install-deps";
    DisplayPasteboard pasteboard(Gdk::Display::get_default());
    const auto start = pasteboard.changeCount();

    copyFromAnotherApp("from elsewhere");
    ASSERT_TRUE(eventually([&] { return pasteboard.changeCount() > start; }));
    EXPECT_EQ(pasteboard.text(), "from elsewhere");

    // Our own write is counted and readable at once, so it is never taken for a new copy.
    const auto before = pasteboard.changeCount();
    pasteboard.setText("ours");
    EXPECT_GT(pasteboard.changeCount(), before);
    EXPECT_EQ(pasteboard.text(), "ours");
}

}  // namespace
