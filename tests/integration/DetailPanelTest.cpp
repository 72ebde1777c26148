#include "integration/StateFixture.hpp"
#include "integration/WidgetChecks.hpp"
#include "integration/X11Window.hpp"
#include "ui/CollapsedDetailToolbar.hpp"
#include "ui/DetailPanelView.hpp"
#include "ui/SettingsShared.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

using Texts = std::vector<std::string>;
const Texts undockedTooltips{"Dock Left", "Clipboard", "Split View", "Expand Panel", "Custom Tags", "Prompts",
                             "Dock Right"};

// Whether the desktop now names this application as the one that opens folders.
bool handlesFolders(const std::string& desktopID) {
    GAppInfo* handler = g_app_info_get_default_for_type("inode/directory", FALSE);
    const bool found = handler && desktopID == g_app_info_get_id(handler);
    if (handler) g_object_unref(handler);
    return found;
}

// The panel's cards and the toolbar's buttons, in their order on screen.
enum class Card { language, ai, appearance, downloadPath, clearCache, launchAtLogin, memory };
enum class Tool { dock, clipboard, split, settings, customTags, prompts, dockRight };

Gtk::Widget& cardOf(Gtk::Widget& panel, Card card) {
    return widgetWithClass(panel, "detail-card", static_cast<std::size_t>(card));
}
Gtk::Button& toolOf(Gtk::Widget& toolbar, Tool tool) {
    return widgetWithClass<Gtk::Button>(toolbar, "toolbar-button", static_cast<std::size_t>(tool));
}
// The bubbles of the toolbar buttons shown now, top to bottom.
Texts shownTooltipsOf(Gtk::Widget& toolbar) {
    Texts tooltips;
    for (GtkWidget* button : widgetsWithClass(toolbar, "toolbar-button"))
        if (gtk_widget_get_visible(button)) tooltips.push_back(bubbleText(*Glib::wrap(button)));
    return tooltips;
}
Gtk::ToggleButton& languageOption(Gtk::Widget& panel, AppLanguage language) {
    return widgetWithClass<Gtk::ToggleButton>(panel, "language-option", static_cast<std::size_t>(language));
}
// A built-in service's switch: the cells follow the catalogue.
GlassSwitch& serviceSwitch(Gtk::Widget& panel, const std::string& tabID) {
    const auto& tabs = builtInTabs();
    const auto place = std::find_if(tabs.begin(), tabs.end(), [&](const AITab& tab) { return tab.id == tabID; }) - tabs.begin();
    return widgetOfType<GlassSwitch>(widgetWithClass(panel, "ai-cell", static_cast<std::size_t>(place)));
}

// Stands in for the main window's dock manager, which needs a real screen edge.
class RecordingWindowControl : public MainWindowControl {
public:
    bool dock(DockSide side) override { return docks.push_back(side), true; }
    bool undock() override { return ++undocks, true; }
    void widenForSplit(double, std::function<void()> done) override { ++widenings, done(); }
    void bringOut() override {}
    void putAway() override {}

    std::vector<DockSide> docks;
    int undocks = 0, widenings = 0;
};

// The settings panel and the collapsed toolbar over the real state, every service shown.
class DetailPanelTest : public StateFixture {
protected:
    DetailPanelTest() {
        state.setHiddenAITabIDs({});
        state.selectFirstVisibleTab();
        state.setWindowControl(&windowControl);
        window = &show(panel, DetailPanelView::width, 860);
    }
    ~DetailPanelTest() override { state.setWindowControl(nullptr); }

    // Space on a focused switch, as a keyboard user flips it.
    void flip(GlassSwitch& glassSwitch) {
        ASSERT_TRUE(glassSwitch.grab_focus());
        const bool before = glassSwitch.isOn();
        pressKeys(window->gobj(), "space");
        ASSERT_TRUE(eventually([&] { return glassSwitch.isOn() != before; }));
    }
    std::string storedHiddenSet() { return preferences.stringValue("hiddenAITabIDs").value_or("absent"); }

    RecordingWindowControl windowControl;
    DetailPanelView panel{context};
    CollapsedDetailToolbar toolbar{context};
    Gtk::Window* window;
};

// With the screen reader backend throughout, for the names of the panel's controls.
TEST_F(DetailPanelTest, TheLanguageOptionRenamesItAllTheCardsWriteAndFollowTheirSettingsAndTheToolbarActs) {
    if (!screenReaderBackendRuns()) return expectPassWithTestBackend();
    EXPECT_EQ(textOf(panel, "panel-title"), "设置");
    EXPECT_TRUE(announcedAs(serviceSwitch(panel, "shangliang"), "商量"));

    click(languageOption(panel, AppLanguage::en));
    EXPECT_EQ(textOf(panel, "panel-title"), "Settings");
    Texts cardTitles;
    for (GtkWidget* title : widgetsWithClass(panel, "card-title")) cardTitles.push_back(labelText(*Glib::wrap(title)));
    EXPECT_EQ(cardTitles, (Texts{"Language", "AI", "Appearance", "Download Path", "Clear Cache", "Launch at Login", "Memory"}));
    EXPECT_FALSE(announcedAs(serviceSwitch(panel, "shangliang"), "商量")) << "the check itself can fail";
    EXPECT_EQ(misnamed({{&serviceSwitch(panel, "shangliang"), "SenseChat"},
                        {&languageOption(panel, AppLanguage::zhTW), "繁體中文"},
                        {&widgetWithClass(panel, "appearance-option", static_cast<std::size_t>(AppAppearance::dark)), "Dark"},
                        {&widgetWithClass(panel, "inline-icon-button"), "Open in File Manager"},
                        {&widgetOfType<GlassSwitch>(cardOf(panel, Card::launchAtLogin)), "Launch at Login"},
                        {&widgetWithClass(panel, "collapse-handle"), "Click to collapse panel"},
                        {&toolOf(toolbar, Tool::dock), "Dock Left"}}),
              "");

    click(languageOption(panel, AppLanguage::zhTW));
    EXPECT_EQ(textOf(panel, "panel-title"), "設定");
    // The options name each language in itself, and only the current one is chosen.
    for (AppLanguage language : allLanguages) {
        EXPECT_EQ(std::string(languageOption(panel, language).get_label()), chooserName(language));
        EXPECT_EQ(languageOption(panel, language).get_active(), language == AppLanguage::zhTW);
    }

    EXPECT_EQ(widgetsWithClass(panel, "ai-cell").size(), builtInTabs().size()) << "custom tags are not listed";
    flip(serviceSwitch(panel, "kimi"));
    EXPECT_EQ(storedHiddenSet(), R"(["kimi"])");
    state.setHiddenAITabIDs({"kimi", "doubao"});
    EXPECT_FALSE(serviceSwitch(panel, "doubao").isOn());
    flip(serviceSwitch(panel, "kimi"));
    EXPECT_EQ(storedHiddenSet(), R"(["doubao"])");

    auto& launch = widgetOfType<GlassSwitch>(cardOf(panel, Card::launchAtLogin));
    ASSERT_FALSE(launch.isOn());
    flip(launch);
    EXPECT_TRUE(login.registered);
    state.setLaunchAtLogin(false);
    EXPECT_FALSE(launch.isOn());

    auto& card = cardOf(panel, Card::downloadPath);
    const auto downloadsFolder = (dir / "Downloads").string();
    EXPECT_EQ(textOf(card, "path-text"), downloadsFolder);
    std::filesystem::create_directories(dir / "Elsewhere");
    downloads.setDownloadPath(dir / "Elsewhere");
    EXPECT_TRUE(eventually([&] { return textOf(card, "path-text") == (dir / "Elsewhere").string(); }));
    click(widgetLabelled<Gtk::Button>(card, settingsText::resetToDefault.in(AppLanguage::zhTW)));
    EXPECT_TRUE(eventually([&] { return textOf(card, "path-text") == downloadsFolder; }));
    EXPECT_FALSE(preferences.stringValue(DownloadSettings::fallbackKey).has_value());

    state.openDetailPanel();
    click(widgetWithClass<Gtk::Button>(panel, "collapse-handle"));
    EXPECT_FALSE(state.showDetailPanel().get()) << "the handle folds the panel into the toolbar";

    localization.setCurrentLanguage(AppLanguage::en);
    show(toolbar, CollapsedDetailToolbar::width, 420);
    click(toolOf(toolbar, Tool::dock));
    EXPECT_EQ(windowControl.docks, std::vector<DockSide>{DockSide::left});
    EXPECT_EQ(state.dockSide().get(), DockSide::none) << "not before the window got there";
    notifications.post(windowDidDockNotification);
    ASSERT_TRUE(eventually([&] { return state.dockSide().get() == DockSide::left; }));
    EXPECT_EQ(shownTooltipsOf(toolbar), (Texts{"Exit Dock", "Clipboard", "Split View", "Expand Panel", "Custom Tags", "Prompts"}));
    click(toolOf(toolbar, Tool::dock));
    EXPECT_EQ(windowControl.undocks, 1);
    EXPECT_EQ(shownTooltipsOf(toolbar), undockedTooltips);
    click(toolOf(toolbar, Tool::dockRight));
    EXPECT_EQ(windowControl.docks.back(), DockSide::right);
    notifications.post(windowDidDockNotification);
    EXPECT_TRUE(eventually([&] { return !toolOf(toolbar, Tool::dockRight).get_visible(); }));
    // The window left the edge by itself (dragged away): the buttons come back.
    notifications.post(windowDidExitDockModeNotification);
    EXPECT_TRUE(eventually([&] { return shownTooltipsOf(toolbar) == undockedTooltips; }));

    // Where the window cannot be placed, docking is not offered, and the pointer learns why.
    const std::string reason = "Docking is not available: this desktop does not let apps place their windows";
    state.setCanPlaceWindow(false);
    for (auto* button : {&toolOf(toolbar, Tool::dock), &toolOf(toolbar, Tool::dockRight)}) {
        EXPECT_FALSE(button->is_sensitive());
        EXPECT_EQ(std::string(button->get_tooltip_text()), reason);
    }
    localization.setCurrentLanguage(AppLanguage::zhCN);
    EXPECT_EQ(std::string(toolOf(toolbar, Tool::dock).get_tooltip_text()), "无法吸附：此桌面不允许应用摆放自己的窗口");
    localization.setCurrentLanguage(AppLanguage::en);
    state.setCanPlaceWindow(true);
    EXPECT_TRUE(toolOf(toolbar, Tool::dock).is_sensitive());
    EXPECT_FALSE(toolOf(toolbar, Tool::dock).get_has_tooltip()) << "its own bubble speaks again";
    EXPECT_EQ(shownTooltipsOf(toolbar), undockedTooltips);

    click(toolOf(toolbar, Tool::split));
    EXPECT_EQ(windowControl.widenings, 1);
    EXPECT_TRUE(state.panes().isSplit());
    EXPECT_EQ(bubbleText(toolOf(toolbar, Tool::split)), "Exit Split View");
    click(toolOf(toolbar, Tool::split));
    EXPECT_FALSE(state.panes().isSplit());
    EXPECT_EQ(bubbleText(toolOf(toolbar, Tool::split)), "Split View");
    EXPECT_EQ(windowControl.widenings, 1) << "leaving keeps the window's size";

    for (auto [button, kind] : {std::pair{&toolOf(toolbar, Tool::clipboard), DetailPanelType::clipboard},
                                {&toolOf(toolbar, Tool::customTags), DetailPanelType::customTags},
                                {&toolOf(toolbar, Tool::prompts), DetailPanelType::prompts},
                                {&toolOf(toolbar, Tool::settings), DetailPanelType::settings}}) {
        state.setShowDetailPanel(false);
        click(*button);
        EXPECT_EQ(state.detailPanelType().get(), kind);
        EXPECT_TRUE(state.showDetailPanel().get());
    }
}


// The user's file manager is whatever handles folders; here a script that notes what it
// was asked to open, installed in the private HOME that tests/with-display gives.
TEST_F(DetailPanelTest, OpenInFileManagerHandsTheFolderToTheFolderHandler) {
    const std::filesystem::path dataHome = g_get_user_data_dir(), configHome = g_get_user_config_dir();
    if (dataHome.string().rfind("/tmp/corvina-test", 0) != 0) GTEST_SKIP() << "needs the private HOME of tests/with-display";
    const auto opened = dir / "opened.txt", recorder = dir / "recorder.sh";
    writeFile(recorder, "#!/bin/sh\nprintf '%s' \"$1\" > '" + opened.string() + "'\n");
    std::filesystem::permissions(recorder, std::filesystem::perms::owner_all);
    for (const auto& folder : {dataHome / "applications", configHome, dir / "Downloads"})
        std::filesystem::create_directories(folder);
    writeFile(dataHome / "applications" / "corvina-test-folders.desktop",
              "[Desktop Entry]\nType=Application\nName=Folders\nExec=" + recorder.string() +
                  " %u\nMimeType=inode/directory;\n");
    writeFile(configHome / "mimeapps.list", "[Default Applications]\ninode/directory=corvina-test-folders.desktop\n");
    ASSERT_TRUE(eventually([] { return handlesFolders("corvina-test-folders.desktop"); }));

    click(widgetWithClass<Gtk::Button>(panel, "inline-icon-button"));
    ASSERT_TRUE(eventually([&] { return std::filesystem::exists(opened) && !readFile(opened).empty(); }));
    // Handed over as a path or a file URI, it names the download folder.
    GFile* shown = g_file_new_for_commandline_arg(readFile(opened).c_str());
    EXPECT_EQ(std::filesystem::path(g_file_peek_path(shown)), dir / "Downloads");
    g_object_unref(shown);
}


}  // namespace
