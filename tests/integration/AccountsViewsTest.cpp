#include <gtest/gtest.h>

#include "integration/StateFixture.hpp"
#include "integration/WidgetChecks.hpp"
#include "panels/CustomTagsPanelView.hpp"
#include "panels/ProxyChoiceView.hpp"
#include "ui/AITabBarView.hpp"
#include "ui/SettingsWindow.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// The sign-in and proxy choices where the user makes them: the tag form, the settings
// window's Network page and the tab bar's row menu.
class AccountsViewsTest : public StateFixture {
protected:
    AccountsViewsTest() { localization.setCurrentLanguage(AppLanguage::en); }

    void chooseMode(ProxyChoiceView& choice, ProxyMode mode) {
        for (std::size_t i = 0; i < allProxyModes.size(); ++i)
            if (allProxyModes[i] == mode) choice.modeChooser().set_selected(i);
    }
    const CustomTab& lastTag() { return customTabs.customTabs().get().back(); }
};

TEST_F(AccountsViewsTest, ATagFormTakesASeparateSignInWithAProxyOnlyOnceItsAddressReads) {
    CustomTagsPanelView panel(context);
    show(panel, 300, 900);
    click(panel.addButton());
    auto& form = panel.addForm();
    EXPECT_EQ(form.signInChooser().get_selected(), 0u) << "shared is the default";
    EXPECT_EQ(form.signInChoiceText(0), "Sign-in: Shared with other services");
    EXPECT_EQ(form.signInChoiceText(1), "Sign-in: Separate for this tag");
    EXPECT_FALSE(form.proxyChoice().is_visible());
    form.nameField().set_text("Work");
    form.urlField().set_text("chat.example");
    form.signInChooser().set_selected(1);
    EXPECT_TRUE(form.proxyChoice().is_visible());
    chooseMode(form.proxyChoice(), ProxyMode::manual);
    form.proxyChoice().addressField().set_text("proxy.lan:3128");
    const auto count = customTabs.customTabs().get().size();
    click(form.saveButton());
    EXPECT_EQ(customTabs.customTabs().get().size(), count) << "a refused proxy address saves nothing";
    EXPECT_EQ(form.proxyChoice().refusal(), "The address must start with http:// or socks5://.");
    localization.setCurrentLanguage(AppLanguage::zhCN);
    EXPECT_EQ(form.proxyChoice().refusal(), "地址必须以 http:// 或 socks5:// 开头。");
    EXPECT_EQ(form.signInChoiceText(1), "登录：此标签独立");
    localization.setCurrentLanguage(AppLanguage::zhTW);
    EXPECT_EQ(form.signInChoiceText(0), "登入：與其他服務共用");
    EXPECT_EQ(form.signInChooser().get_selected(), 1u) << "a new language keeps the choice";
    localization.setCurrentLanguage(AppLanguage::en);

    form.proxyChoice().addressField().set_text("http://proxy.lan:3128");
    form.proxyChoice().bypassField().set_text("localhost *.lan");
    click(form.saveButton());
    ASSERT_EQ(customTabs.customTabs().get().size(), count + 1);
    EXPECT_EQ(lastTag().url, "https://chat.example");
    EXPECT_TRUE(lastTag().separateSignIn);
    EXPECT_EQ(lastTag().proxy, (ProxySetting{ProxyMode::manual, "http://proxy.lan:3128", {"localhost", "*.lan"}}));

    // The edit card shows both, and back on the shared sign-in the tag keeps no proxy.
    click(panel.row(count).editButton());
    EXPECT_EQ(panel.editCard().signInChooser().get_selected(), 1u);
    EXPECT_EQ(panel.editCard().proxyChoice().addressField().get_text(), "http://proxy.lan:3128");
    panel.editCard().signInChooser().set_selected(0);
    click(panel.editCard().saveButton());
    EXPECT_FALSE(lastTag().separateSignIn);
    EXPECT_EQ(lastTag().proxy, ProxySetting{});
}

TEST_F(AccountsViewsTest, TheNetworkPageAppliesAModeAtOnceAndATypedProxyOnlyOnceItReads) {
    SettingsWindow window{context};
    window.present();
    auto& choice = widgetOfType<ProxyChoiceView>(window);
    auto& apply = widgetLabelled<Gtk::Button>(window, "Apply");
    chooseMode(choice, ProxyMode::none);
    EXPECT_EQ(settings.proxy().get().mode, ProxyMode::none);
    chooseMode(choice, ProxyMode::manual);
    EXPECT_EQ(settings.proxy().get().mode, ProxyMode::none) << "no address yet";
    EXPECT_EQ(choice.refusal(), "Type the proxy's address, as in http://proxy.example:8080.");
    choice.addressField().set_text("socks5://127.0.0.1");
    click(apply);
    EXPECT_EQ(choice.refusal(), "The address needs the proxy's port, as in http://proxy.example:8080.");
    EXPECT_EQ(settings.proxy().get().mode, ProxyMode::none);
    choice.addressField().set_text("socks5://127.0.0.1:1080");
    click(apply);
    EXPECT_EQ(settings.proxy().get(), (ProxySetting{ProxyMode::manual, "socks5://127.0.0.1:1080", {}}));
    EXPECT_EQ(choice.refusal(), "");
    settings.setProxy({});
    EXPECT_EQ(choice.modeChooser().get_selected(), 0u) << "the page follows the setting";
    window.destroy();
}

TEST_F(AccountsViewsTest, ABuiltInServicesRowMenuAddsAnotherAccountAsASeparateTagAndShowsIt) {
    state.setHiddenAITabIDs({});
    AITabBarView bar(context);
    show(bar, 240, 700);
    auto* row = bar.rows().front();
    const auto service = row->tab();
    row->openMenu();
    EXPECT_TRUE(eventually([&] { return row->showsMenu(); }));
    EXPECT_EQ(row->anotherAccountItem().get_label(), "Add Another Account…");
    click(row->anotherAccountItem());
    ASSERT_TRUE(eventually([&] { return lastTag().name == service.enName + " 2"; }));
    EXPECT_EQ(lastTag().url, service.url);
    EXPECT_TRUE(lastTag().separateSignIn);
    EXPECT_EQ(state.currentTabID(), lastTag().id);
    // Tags have no such item: they are the second accounts.
    EXPECT_EQ(bar.rows().back()->tab().id, lastTag().id);
    EXPECT_EQ(bar.rows().back()->anotherAccountItem().get_parent(), nullptr);
    localization.setCurrentLanguage(AppLanguage::zhTW);
    EXPECT_EQ(bar.rows().front()->anotherAccountItem().get_label(), "新增另一個帳號…");
}

}  // namespace
