#include "integration/StateFixture.hpp"
#include "integration/WidgetChecks.hpp"
#include "ui/DetailPanelView.hpp"
#include "ui/NetworkSettingsPage.hpp"
#include "ui/SettingsWindow.hpp"
#include "ui/DownloadFolderChooser.hpp"

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

std::string itemText(GListModel* model, guint index) {
    auto* item = GTK_STRING_OBJECT(g_list_model_get_item(model, index));
    std::string text = gtk_string_object_get_string(item);
    g_object_unref(item);
    return text;
}

// The settings window's choice rows in order: the sleep time, then where new windows open.
AdwComboRow* choiceRow(Gtk::Widget& window, std::size_t place) {
    return ADW_COMBO_ROW(widgetsOfType(window, ADW_TYPE_COMBO_ROW).at(place));
}
AdwComboRow* sleepRowOf(Gtk::Widget& window) { return choiceRow(window, 0); }
AdwComboRow* newWindowRowOf(Gtk::Widget& window) { return choiceRow(window, 1); }
// The switches in order: keeping desktop layouts in narrow panes, then loading when opened.
GtkSwitch* keepLayoutSwitchOf(Gtk::Widget& window) { return GTK_SWITCH(widgetsOfType(window, GTK_TYPE_SWITCH).at(0)); }
GtkSwitch* loadWhenOpenedSwitchOf(Gtk::Widget& window) {
    return GTK_SWITCH(widgetsOfType(window, GTK_TYPE_SWITCH).at(1));
}
// The title of the row a control is in.
std::string rowTitleOf(GtkSwitch* control) {
    GtkWidget* row = gtk_widget_get_ancestor(GTK_WIDGET(control), ADW_TYPE_PREFERENCES_ROW);
    return adw_preferences_row_get_title(ADW_PREFERENCES_ROW(row));
}
// The appearance options, in the order of `allAppearances`.
GtkCheckButton* appearanceCheckOf(Gtk::Widget& window, AppAppearance appearance) {
    return GTK_CHECK_BUTTON(widgetsOfType(window, GTK_TYPE_CHECK_BUTTON).at(static_cast<std::size_t>(appearance)));
}

// The titles of the window's pages, as its switcher shows them.
Texts pageTitlesOf(Gtk::Widget& window) {
    auto* stack = ADW_VIEW_STACK(widgetsOfType(window, ADW_TYPE_VIEW_STACK).at(0));
    GListModel* pages = G_LIST_MODEL(adw_view_stack_get_pages(stack));
    Texts titles;
    for (guint i = 0; i < g_list_model_get_n_items(pages); ++i) {
        auto* page = ADW_VIEW_STACK_PAGE(g_list_model_get_item(pages, i));
        titles.emplace_back(adw_view_stack_page_get_title(page));
        g_object_unref(page);
    }
    g_object_unref(pages);
    return titles;
}
// The heading of each page's first section, page by page.
Texts sectionTitlesOf(Gtk::Widget& window) {
    Texts titles;
    for (GtkWidget* page : widgetsOfType(window, ADW_TYPE_PREFERENCES_PAGE)) {
        auto* group = widgetsOfType(*Glib::wrap(page), ADW_TYPE_PREFERENCES_GROUP).at(0);
        titles.emplace_back(adw_preferences_group_get_title(ADW_PREFERENCES_GROUP(group)));
    }
    return titles;
}
// The name of an appearance option: the title of the row holding its check.
std::string appearanceNameOf(Gtk::Widget& window, AppAppearance appearance) {
    GtkWidget* row = gtk_widget_get_ancestor(GTK_WIDGET(appearanceCheckOf(window, appearance)), ADW_TYPE_PREFERENCES_ROW);
    return adw_preferences_row_get_title(ADW_PREFERENCES_ROW(row));
}
std::string shownPathOf(Gtk::Widget& window) { return labelText(widgetWithClass(window, "path-text")); }

// The detail panel's appearance options, and whether one shows the mark of the choice.
Gtk::ToggleButton& appearanceOptionOf(Gtk::Widget& panel, AppAppearance appearance) {
    return widgetWithClass<Gtk::ToggleButton>(panel, "appearance-option", static_cast<std::size_t>(appearance));
}
bool showsCheckmark(Gtk::Widget& panel, AppAppearance appearance) {
    return shownOnScreen(widgetWithClass(appearanceOptionOf(panel, appearance), "appearance-check"));
}

// The settings window beside the detail panel, both over the real state.
class SettingsWindowTest : public StateFixture {
protected:
    SettingsWindowTest() {
        window.present();
        show(panel, 300, 900);
    }

    SettingsWindow window{context};
    DetailPanelView panel{context};
};

TEST_F(SettingsWindowTest, TheChosenFolderShowsInThePathTextAndTheSystemClipboardCarriesItBothWays) {
    const auto chosen = dir / "Chosen";
    std::filesystem::create_directories(chosen);
    localization.setCurrentLanguage(AppLanguage::en);
    downloads.setFolderChooser(folderChooser(window, localization, downloads));
    click(widgetLabelled<Gtk::Button>(window, DownloadSettings::folderChooserText.in(AppLanguage::en)));
    GtkFileChooser* chooser = nullptr;
    ASSERT_TRUE(eventually([&] { return (chooser = openChooser()) != nullptr; }));
    GFile* folder = g_file_new_for_path(chosen.c_str());
    gtk_file_chooser_set_file(chooser, folder, nullptr);
    g_object_unref(folder);
    ASSERT_TRUE(eventually([&] { return chosenIn(chooser) == chosen; }));
    gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
    EXPECT_TRUE(eventually([&] { return shownPathOf(window) == chosen.string(); }));

    const bool xclip = !commandOutput("command -v xclip").empty();
    if (xclip) {
        DisplayPasteboard systemClipboard(Gdk::Display::get_default());
        AppContext withSystemClipboard{queue,     notifications, preferences, systemClipboard, state,
                                       settings,  localization,  clipboard,   customTabs,      downloads,
                                       webViews,  askSeveral,    rounds,      askSeveralDelivery, answerActivity, roundActions,
                                       prompts};
        SettingsWindow ownWindow(withSystemClipboard);
        // Our own write is counted and readable at once, so it is never taken for a new copy.
        const auto before = systemClipboard.changeCount();
        click(widgetLabelled<Gtk::Button>(ownWindow, "Copy Path"));
        EXPECT_GT(systemClipboard.changeCount(), before);
        EXPECT_EQ(systemClipboard.text(), chosen.string());
        // Read as another program would; in the background, as this process serves the request.
        const auto pasted = dir / "pasted.txt";
        commandOutput("(xclip -selection clipboard -o > '" + pasted.string() + "' 2>/dev/null &)");
        EXPECT_TRUE(eventually([&] { return std::filesystem::exists(pasted) && !readFile(pasted).empty(); }));
        EXPECT_EQ(readFile(pasted), chosen.string());
        ownWindow.destroy();
        // And it sees what other applications copy.
        const auto ours = systemClipboard.changeCount();
        commandOutput("printf 'from elsewhere' | xclip -selection clipboard -i >/dev/null 2>&1");
        EXPECT_TRUE(eventually([&] { return systemClipboard.changeCount() > ours; }));
        EXPECT_EQ(systemClipboard.text(), "from elsewhere");
    }

    click(widgetLabelled<Gtk::Button>(window, "Reset to Default (Downloads)"));
    EXPECT_TRUE(eventually([&] { return shownPathOf(window) == (dir / "Downloads").string(); }));
    if (!xclip) GTEST_SKIP() << "the copy needs xclip, installed by scripts/install-deps";
}

TEST_F(SettingsWindowTest, GeneralAndLayoutStayEnglishTheRestFollowsTheLanguageAndAChoiceInEitherViewShowsInTheOther) {
    settings.setSleepUnusedServicesAfter(std::chrono::minutes(60));
    {
        // Views made over a chosen time (as at start) show it and leave it as it was.
        MemoryCard card{context};
        SettingsWindow another{context};
        EXPECT_EQ(widgetOfType<Gtk::DropDown>(card).get_selected(), 4u);
        EXPECT_EQ(adw_combo_row_get_selected(sleepRowOf(another)), 4u);
        EXPECT_EQ(settings.sleepUnusedServicesAfter().get(), std::chrono::minutes(60));
    }
    auto* sleep = sleepRowOf(window);
    for (const auto& [language, texts] :
         {std::pair{AppLanguage::zhTW, Texts{"外觀", "下載", "下載路徑", "淺色", "60 分鐘", "窄窗格中保持桌面版面"}},
          std::pair{AppLanguage::en, Texts{"Appearance", "Downloads", "Download Path", "Light", "60 minutes",
                                           "Keep desktop layout in narrow panes"}}}) {
        localization.setCurrentLanguage(language);
        EXPECT_EQ(pageTitlesOf(window),
                  (Texts{"General", texts[0], texts[1], NetworkSettingsPage::titleText.in(language)}));
        EXPECT_EQ(sectionTitlesOf(window), (Texts{"Layout", texts[0], texts[2], ""})) << "the network page has no heading";
        EXPECT_EQ(rowTitleOf(keepLayoutSwitchOf(window)), texts[5]);
        EXPECT_EQ(appearanceNameOf(window, AppAppearance::light), texts[3]);
        EXPECT_EQ(itemText(adw_combo_row_get_model(sleep), 4), texts[4]);
        EXPECT_EQ(itemText(widgetOfType<Gtk::DropDown>(panel).get_model()->gobj(), 4), texts[4]);
        EXPECT_EQ(widgetOfType<Gtk::DropDown>(panel).get_selected(), 4u) << "renaming keeps the choice";
        EXPECT_EQ(adw_combo_row_get_selected(sleep), 4u);
    }
    // The path's icon buttons carry their names as bubbles, the others as their labels.
    for (const char* name : {"Copy Path", "Open in File Manager", "Reset to Default (Downloads)"})
        EXPECT_NO_THROW(widgetLabelled<Gtk::Button>(window, name)) << name;
    EXPECT_EQ(itemText(adw_combo_row_get_model(newWindowRowOf(window)), 1), "In the default browser");

    gtk_check_button_set_active(appearanceCheckOf(window, AppAppearance::dark), TRUE);
    EXPECT_EQ(settings.appearance().get(), AppAppearance::dark);
    EXPECT_EQ(preferences.stringValue("appAppearance"), "dark");
    EXPECT_TRUE(appearanceOptionOf(panel, AppAppearance::dark).get_active());
    EXPECT_TRUE(showsCheckmark(panel, AppAppearance::dark));
    click(appearanceOptionOf(panel, AppAppearance::light));
    EXPECT_EQ(settings.appearance().get(), AppAppearance::light);
    EXPECT_TRUE(showsCheckmark(panel, AppAppearance::light));
    EXPECT_FALSE(showsCheckmark(panel, AppAppearance::dark));
    EXPECT_TRUE(gtk_check_button_get_active(appearanceCheckOf(window, AppAppearance::light)));

    auto& card = widgetWithClass(panel, "detail-card", 6);  // the memory card, last
    auto& chooser = widgetOfType<Gtk::DropDown>(card);
    auto& loadSwitch = widgetOfType<GlassSwitch>(card);
    adw_combo_row_set_selected(sleep, 3);
    EXPECT_EQ(settings.sleepUnusedServicesAfter().get(), std::chrono::minutes(30));
    EXPECT_EQ(chooser.get_selected(), 3u);
    chooser.set_selected(1);
    EXPECT_EQ(settings.sleepUnusedServicesAfter().get(), std::chrono::minutes(5));
    EXPECT_EQ(adw_combo_row_get_selected(sleep), 1u);
    chooser.set_selected(0);
    EXPECT_EQ(settings.sleepUnusedServicesAfter().get().count(), 0);
    // A time set outside the settings (a measurement's) shows as the nearest choice.
    settings.setSleepUnusedServicesAfter(std::chrono::seconds(5));
    EXPECT_EQ(adw_combo_row_get_selected(sleep), 1u);
    settings.setSleepUnusedServicesAfter(std::chrono::minutes(50));
    EXPECT_EQ(chooser.get_selected(), 4u);

    EXPECT_FALSE(loadSwitch.isOn());
    gtk_switch_set_active(loadWhenOpenedSwitchOf(window), TRUE);
    EXPECT_TRUE(settings.loadServicesWhenOpened().get());
    EXPECT_TRUE(loadSwitch.isOn());
    settings.setLoadServicesWhenOpened(false);
    EXPECT_FALSE(gtk_switch_get_active(loadWhenOpenedSwitchOf(window)));

    // Desktop layouts are kept in narrow panes until the user says otherwise.
    auto* keepLayout = keepLayoutSwitchOf(window);
    EXPECT_TRUE(gtk_switch_get_active(keepLayout));
    gtk_switch_set_active(keepLayout, FALSE);
    EXPECT_FALSE(settings.keepDesktopLayoutInNarrowPanes().get());
    EXPECT_EQ(preferences.boolValue("keepDesktopLayoutInNarrowPanes"), false);
    settings.setKeepDesktopLayoutInNarrowPanes(true);
    EXPECT_TRUE(gtk_switch_get_active(keepLayout));

    auto* target = newWindowRowOf(window);
    EXPECT_EQ(adw_combo_row_get_selected(target), 0u) << "nowhere until the user chooses";
    adw_combo_row_set_selected(target, 2);
    EXPECT_EQ(settings.newWindowTarget().get(), NewWindowTarget::app);
    settings.setNewWindowTarget(NewWindowTarget::browser);
    EXPECT_EQ(adw_combo_row_get_selected(target), 1u);
    localization.setCurrentLanguage(AppLanguage::zhCN);
    EXPECT_EQ(adw_combo_row_get_selected(target), 1u) << "renaming keeps the choice";
    EXPECT_EQ(rowTitleOf(keepLayoutSwitchOf(window)), "窄窗格中保持桌面版面");

    auto& reset = widgetLabelled<Gtk::Button>(window, "重置");
    EXPECT_FALSE(reset.get_sensitive()) << "nothing to reset";
    store().sitePermissions().remember("https://chat.example.com:443", PermissionKind::microphone, true);
    ASSERT_TRUE(reset.get_sensitive());
    reset.activate();
    EXPECT_TRUE(eventually([&] { return store().sitePermissions().answerCount().get() == 0; }));
    EXPECT_EQ(store().sitePermissions().answer("https://chat.example.com:443", PermissionKind::microphone), std::nullopt);
    EXPECT_FALSE(reset.get_sensitive());
}

}  // namespace
