#include "integration/StateFixture.hpp"
#include "integration/WidgetChecks.hpp"
#include "ui/DetailPanelView.hpp"
#include "ui/SettingsShared.hpp"
#include "ui/SettingsWindow.hpp"
#include "web/DownloadFolderChooser.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

using Texts = std::vector<std::string>;

// The folder the dialog would answer with now.
std::filesystem::path chosenIn(GtkFileChooser* chooser) {
    GFile* file = gtk_file_chooser_get_file(chooser);
    if (!file) return {};
    char* path = g_file_get_path(file);
    std::filesystem::path chosen = path ? path : "";
    g_free(path);
    g_object_unref(file);
    return chosen;
}

class SettingsWindowTest : public StateFixture {
protected:
    SettingsWindowTest() { window.present(); }

    SettingsWindow window{context};
};

TEST_F(SettingsWindowTest, GeneralAndLayoutStayEnglishWhileTheRestFollowsTheLanguage) {
    const std::pair<AppLanguage, Texts> expected[] = {
        {AppLanguage::zhCN, {"外观", "下载", "下载路径", "浅色", "复制路径", "在文件管理器中打开", "恢复默认（下载文件夹）"}},
        {AppLanguage::zhTW, {"外觀", "下載", "下載路徑", "淺色", "複製路徑", "在檔案管理器中打開", "恢復預設（下載資料夾）"}},
        {AppLanguage::en,
         {"Appearance", "Downloads", "Download Path", "Light", "Copy Path", "Open in File Manager",
          "Reset to Default (Downloads)"}}};
    for (const auto& [language, texts] : expected) {
        localization.setCurrentLanguage(language);
        EXPECT_EQ(window.pageTitles(), (Texts{"General", texts[0], texts[1]}));
        EXPECT_EQ(window.sectionTitles(), (Texts{"Layout", texts[0], texts[2]}));
        EXPECT_EQ(window.generalPlaceholder(), "No general settings available");
        EXPECT_EQ(window.appearanceOptionName(AppAppearance::light), texts[3]);
        EXPECT_EQ(window.copyPathTooltip().text(), texts[4]);
        EXPECT_EQ(window.openFolderTooltip().text(), texts[5]);
        EXPECT_EQ(std::string(window.resetFolderButton().get_label()), texts[6]);
        EXPECT_EQ(std::string(window.chooseFolderButton().get_label()), DownloadSettings::folderChooserText.in(language));
    }
}

TEST_F(SettingsWindowTest, CopyPathPutsThePlainPathOnTheClipboardForOtherApplications) {
    if (commandOutput("command -v xclip").empty()) GTEST_SKIP() << "xclip is installed by scripts/install-deps";
    DisplayPasteboard systemClipboard(Gdk::Display::get_default());
    AppContext withSystemClipboard{queue,    notifications, preferences, systemClipboard, state,
                                   settings, localization,  clipboard,   customTabs,      downloads, webViews};
    SettingsWindow ownWindow(withSystemClipboard);

    click(ownWindow.copyPathButton());
    // Read as another program would; in the background, as this process serves the request.
    const auto pasted = dir / "pasted.txt";
    commandOutput("(xclip -selection clipboard -o > '" + pasted.string() + "' 2>/dev/null &)");
    EXPECT_TRUE(eventually([&] { return std::filesystem::exists(pasted) && !readFile(pasted).empty(); }));
    EXPECT_EQ(readFile(pasted), (dir / "Downloads").string());
    ownWindow.destroy();
}

TEST_F(SettingsWindowTest, TheChosenFolderAndTheResetShowInThePathText) {
    const auto chosen = dir / "Chosen";
    std::filesystem::create_directories(chosen);
    downloads.setFolderChooser(folderChooser(window, localization, downloads));
    click(window.chooseFolderButton());
    GtkFileChooser* chooser = nullptr;
    ASSERT_TRUE(eventually([&] { return (chooser = openChooser()) != nullptr; }));
    GFile* folder = g_file_new_for_path(chosen.c_str());
    gtk_file_chooser_set_file(chooser, folder, nullptr);
    g_object_unref(folder);
    ASSERT_TRUE(eventually([&] { return chosenIn(chooser) == chosen; }));
    gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
    EXPECT_TRUE(eventually([&] { return window.shownDownloadPath() == chosen.string(); }));

    click(window.resetFolderButton());
    EXPECT_TRUE(eventually([&] { return window.shownDownloadPath() == (dir / "Downloads").string(); }));
}

TEST_F(SettingsWindowTest, AnAppearanceChosenHereShowsInThePanelAndTheOtherWayRound) {
    DetailPanelView panel(context);
    window.appearanceOption(AppAppearance::dark).set_active(true);
    EXPECT_EQ(settings.appearance().get(), AppAppearance::dark);
    EXPECT_EQ(preferences.stringValue("appAppearance"), "dark");
    EXPECT_TRUE(panel.appearanceCard().showsCheckmark(AppAppearance::dark));

    click(panel.appearanceCard().option(AppAppearance::light));
    EXPECT_TRUE(window.appearanceOption(AppAppearance::light).get_active());
    EXPECT_FALSE(window.appearanceOption(AppAppearance::dark).get_active());
}

}  // namespace

namespace {

std::string itemText(GListModel* model, guint index) {
    auto* item = GTK_STRING_OBJECT(g_list_model_get_item(model, index));
    std::string text = gtk_string_object_get_string(item);
    g_object_unref(item);
    return text;
}

}  // namespace

// The memory budget is set from the settings window or the panel card alike, each shows
// what the other chose, and the sleep times read in the interface language.
TEST_F(SettingsWindowTest, BothSettingsViewsSetAndShowTheMemoryBudget) {
    DetailPanelView panel(context);
    show(panel, 300, 900);
    auto& card = panel.memoryCard();
    auto* row = window.sleepChooser();
    EXPECT_EQ(adw_combo_row_get_selected(row), 0u);
    EXPECT_EQ(card.sleepChooser().get_selected(), 0u);
    EXPECT_FALSE(card.loadWhenOpenedSwitch().isOn());

    adw_combo_row_set_selected(row, 3);
    EXPECT_EQ(settings.sleepUnusedServicesAfter().get(), std::chrono::minutes(30));
    EXPECT_EQ(card.sleepChooser().get_selected(), 3u);
    card.sleepChooser().set_selected(1);
    EXPECT_EQ(settings.sleepUnusedServicesAfter().get(), std::chrono::minutes(5));
    EXPECT_EQ(adw_combo_row_get_selected(row), 1u);
    card.sleepChooser().set_selected(0);
    EXPECT_EQ(settings.sleepUnusedServicesAfter().get().count(), 0);

    gtk_switch_set_active(window.loadWhenOpenedSwitch(), TRUE);
    EXPECT_TRUE(settings.loadServicesWhenOpened().get());
    EXPECT_TRUE(card.loadWhenOpenedSwitch().isOn());
    settings.setLoadServicesWhenOpened(false);
    EXPECT_FALSE(gtk_switch_get_active(window.loadWhenOpenedSwitch()));

    // A time set outside the settings (a measurement's) shows as the nearest choice.
    settings.setSleepUnusedServicesAfter(std::chrono::seconds(5));
    EXPECT_EQ(adw_combo_row_get_selected(row), 1u);
    settings.setSleepUnusedServicesAfter(std::chrono::minutes(50));
    EXPECT_EQ(card.sleepChooser().get_selected(), 4u);

    const std::pair<AppLanguage, Texts> expected[] = {
        {AppLanguage::zhTW, {"記憶體", "關閉", "60 分鐘"}},
        {AppLanguage::zhCN, {"内存", "关闭", "60 分钟"}},
        {AppLanguage::en, {"Memory", "Off", "60 minutes"}}};
    for (const auto& [language, texts] : expected) {
        localization.setCurrentLanguage(language);
        EXPECT_EQ(card.title(), texts[0]);
        EXPECT_EQ(adw_preferences_row_get_title(ADW_PREFERENCES_ROW(row)), settingsText::sleepUnused.in(language));
        auto* names = adw_combo_row_get_model(row);
        EXPECT_EQ((Texts{itemText(names, 0), itemText(names, 4)}), (Texts{texts[1], texts[2]}));
        EXPECT_EQ(itemText(card.sleepChooser().get_model()->gobj(), 4), texts[2]);
        EXPECT_EQ(card.sleepChooser().get_selected(), 4u) << "renaming keeps the choice";
        EXPECT_EQ(settings.sleepUnusedServicesAfter().get(), std::chrono::minutes(50));
    }
}

namespace {

TEST_F(SettingsWindowTest, TheNewWindowChoiceAndThePermissionResetFollowTheirModels) {
    auto* row = window.newWindowChooser();
    EXPECT_EQ(adw_combo_row_get_selected(row), 0u) << "nowhere until the user chooses";
    adw_combo_row_set_selected(row, 2);
    EXPECT_EQ(settings.newWindowTarget().get(), NewWindowTarget::app);
    settings.setNewWindowTarget(NewWindowTarget::browser);
    EXPECT_EQ(adw_combo_row_get_selected(row), 1u);
    localization.setCurrentLanguage(AppLanguage::zhCN);
    EXPECT_EQ(itemText(adw_combo_row_get_model(row), 1), "在默认浏览器中");
    EXPECT_EQ(adw_combo_row_get_selected(row), 1u) << "renaming keeps the choice";
    EXPECT_EQ(settings.newWindowTarget().get(), NewWindowTarget::browser);

    auto& reset = window.resetPermissionsButton();
    EXPECT_FALSE(reset.get_sensitive()) << "nothing to reset";
    store().sitePermissions().remember("https://chat.example.com:443", PermissionKind::microphone, true);
    ASSERT_TRUE(reset.get_sensitive());
    EXPECT_EQ(reset.get_label(), "重置");
    reset.activate();
    EXPECT_TRUE(eventually([&] { return store().sitePermissions().answerCount().get() == 0; }));
    EXPECT_EQ(store().sitePermissions().answer("https://chat.example.com:443", PermissionKind::microphone), std::nullopt);
    EXPECT_FALSE(reset.get_sensitive());
}

}  // namespace
