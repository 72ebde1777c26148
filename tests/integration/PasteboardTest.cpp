#include <gtest/gtest.h>

#include <gdkmm/display.h>
#include <giomm/menu.h>

#include "app/MenuCommands.hpp"
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

TEST(MenuCommands, AreTitledInTheInterfaceLanguage) {
    auto menu = Gio::Menu::create();
    auto titles = [&] {
        std::vector<std::string> out;
        for (int s = 0; s < menu->get_n_items(); ++s) {
            auto section = menu->get_item_link(s, Gio::MenuModel::Link::SECTION);
            for (int i = 0; i < section->get_n_items(); ++i) {
                auto label = section->get_item_attribute(i, Gio::MenuModel::Attribute::LABEL,
                                                         Glib::VARIANT_TYPE_STRING);
                out.push_back(Glib::VariantBase::cast_dynamic<Glib::Variant<Glib::ustring>>(label).get());
            }
        }
        return out;
    };
    MenuCommands::fill(menu, AppLanguage::zhTW);
    EXPECT_EQ(titles(), (std::vector<std::string>{"切換標籤欄", "切換詳情面板", "設定…"}));
    MenuCommands::fill(menu, AppLanguage::en);
    EXPECT_EQ(titles(), (std::vector<std::string>{"Toggle Tab Bar", "Toggle Detail Panel", "Settings…"}));
}

}  // namespace
