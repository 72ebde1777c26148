#include <algorithm>

#include <giomm/menu.h>

#include "integration/StateFixture.hpp"
#include "support/Fakes.hpp"
#include "integration/WidgetChecks.hpp"
#include "integration/X11Window.hpp"
#include "app/AITab.hpp"
#include "app/AppState.hpp"
#include "ui/MainWindow.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// The prompt library in the main window, its panel and the composer's `/` list and blanks
// form, driven by real keys.
class PromptsTest : public StateFixture {
protected:
    PromptsTest() {
        localization.setCurrentLanguage(AppLanguage::en);
        const auto starters = prompts.entries().get();
        for (const auto& entry : starters) prompts.remove(entry.fileName);
        prompts.add({"Review code", "Review this for bugs:\n\n{{clipboard}}", {}});
        prompts.add({"Translate", "Translate into {{lang:French|German}} for {{who}}; thanks, {{who}}. {{clipboard}}",
                     {tagID("two"), tagID("three")}});
        prompts.add({"Greeting", "Hello \\{{not a blank}}", {}});
        presentWithCommands(window, {[] {}, [] {}, [] {}, [this] { askSeveral.setOpen(!askSeveral.isOpen().get()); }});
    }
    void press(const std::string& keys) { EXPECT_TRUE(pressKeysAndWait(GTK_WINDOW(window.gobj()), keys)) << keys; }
    void type(const std::string& text) { typeText(GTK_WINDOW(window.gobj()), text); }
    GtkWidget* field() { return widgetWithClass(window, "ask-several-field").gobj(); }
    std::string fieldText() {
        GtkTextIter start, end;
        GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(field()));
        gtk_text_buffer_get_bounds(buffer, &start, &end);
        g_autofree char* text = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
        return text;
    }
    bool focusIn(GtkWidget* widget) {
        GtkWidget* focus = gtk_root_get_focus(GTK_ROOT(window.gobj()));
        return focus && (focus == widget || gtk_widget_is_ancestor(focus, widget));
    }
    bool pickerShown() { return shownOnScreen(widgetWithClass(window, "prompt-picker")); }
    bool formShown() { return shownOnScreen(widgetWithClass(window, "prompt-blanks")); }
    // The titles the list shows, the selected one in brackets.
    std::string listed() {
        std::string out;
        for (GtkWidget* row : widgetsOfType(widgetWithClass(window, "prompt-picker"), GTK_TYPE_LIST_BOX_ROW)) {
            const std::string title = labelText(*Glib::wrap(widgetsOfType(*Glib::wrap(row), GTK_TYPE_LABEL).at(0)));
            out += gtk_list_box_row_is_selected(GTK_LIST_BOX_ROW(row)) ? "[" + title + "]" : title;
            out += ";";
        }
        return out;
    }
    void openComposer() {
        press("ctrl+shift+k");
        ASSERT_TRUE(eventually([&] { return gtk_widget_get_mapped(field()) && gtk_widget_has_focus(field()); }));
    }
    void clearField() {
        press("ctrl+a BackSpace");
        ASSERT_TRUE(eventually([&] { return fieldText().empty(); }));
    }

    MainWindow window{context, Gio::Menu::create()};
};

TEST_F(PromptsTest, SlashInAnEmptyFieldListsPromptsFilteredAsTyped) {
    openComposer();
    type("/");
    ASSERT_TRUE(eventually([&] { return pickerShown(); }));
    EXPECT_EQ(listed(), "[Greeting];Review code;Translate;");
    press("Down Down");
    EXPECT_EQ(listed(), "Greeting;Review code;[Translate];");
    press("Down");
    EXPECT_EQ(listed(), "Greeting;Review code;[Translate];") << "the selection stops at the end";
    type("rev");
    ASSERT_TRUE(eventually([&] { return listed() == "[Review code];"; })) << listed();
    type("zzz");
    ASSERT_TRUE(eventually([&] { return listed().empty() && pickerShown(); }));
    press("BackSpace BackSpace BackSpace Escape");
    EXPECT_TRUE(eventually([&] { return !pickerShown(); }));
    EXPECT_EQ(fieldText(), "/rev") << "Escape leaves what was typed";
    EXPECT_TRUE(askSeveral.isOpen().get()) << "and the composer open";
    type("i");
    ASSERT_TRUE(eventually([&] { return fieldText() == "/revi"; }));
    EXPECT_FALSE(pickerShown()) << "once closed, typing on does not reopen it";

    // A `/` that is not the first character of an empty field is text.
    clearField();
    type("a/");
    ASSERT_TRUE(eventually([&] { return fieldText() == "a/"; }));
    EXPECT_FALSE(pickerShown());
    clearField();

    // A prompt without blanks lands in the field as written, unsent.
    type("/greet");
    ASSERT_TRUE(eventually([&] { return listed() == "[Greeting];"; })) << listed();
    press("Return");
    EXPECT_TRUE(eventually([&] { return fieldText() == "Hello {{not a blank}}"; })) << fieldText();
    EXPECT_FALSE(pickerShown());
    EXPECT_FALSE(formShown());
}

TEST_F(PromptsTest, BlanksFormFillsFromKeysAndTheClipboardHistory) {
    for (const char* copied : {"older copy", "newest copy"}) {
        pasteboard.copy(std::string(copied));
        clipboard.checkPasteboard();
    }
    askSeveral.setTargets({tagID("one")});
    openComposer();
    type("/trans");
    ASSERT_TRUE(eventually([&] { return listed() == "[Translate];"; })) << listed();
    press("Return");
    ASSERT_TRUE(eventually([&] { return formShown(); }));
    EXPECT_EQ(fieldText(), "");
    auto& form = widgetWithClass(window, "prompt-blanks");
    EXPECT_EQ(widgetsOfType(form, GTK_TYPE_DROP_DOWN).size(), 2u) << "a list for the choices and for the clipboard";
    ASSERT_EQ(widgetsOfType(form, GTK_TYPE_ENTRY).size(), 1u) << "the blank used twice is asked once";
    GtkWidget* who = widgetsOfType(form, GTK_TYPE_ENTRY).front();
    GtkWidget* language = widgetsOfType(form, GTK_TYPE_DROP_DOWN).front();

    // Enter in the language list's open popup picks there; the form stays.
    ASSERT_TRUE(eventually([&] { return focusIn(language); }));
    const auto popupOpen = [&] {
        auto popups = widgetsOfType(*Glib::wrap(language), GTK_TYPE_POPOVER);
        return !popups.empty() && gtk_widget_get_mapped(popups.front());
    };
    press("space");
    ASSERT_TRUE(eventually(popupOpen));
    // The popup has the keyboard now; the window sees none of these keys.
    pressKeys(GTK_WINDOW(window.gobj()), "Down Return");
    ASSERT_TRUE(eventually([&] { return gtk_drop_down_get_selected(GTK_DROP_DOWN(language)) == 1 && !popupOpen(); }));
    EXPECT_TRUE(formShown());
    EXPECT_EQ(fieldText(), "");

    // Tab from the language list to the name field, the clipboard list after it.
    press("Tab");
    ASSERT_TRUE(eventually([&] { return focusIn(who); }));
    type("Ana");
    press("Return");
    ASSERT_TRUE(eventually([&] { return !formShown(); }));
    EXPECT_EQ(fieldText(), "Translate into German for Ana; thanks, Ana. newest copy");
    EXPECT_TRUE(gtk_widget_has_focus(field())) << "ready to be read over and asked";
    std::vector<std::string> chosen;
    for (const auto& tab : askSeveral.targets()) chosen.push_back(tab.id);
    EXPECT_EQ(chosen, (std::vector<std::string>{tagID("two"), tagID("three")})) << "the prompt's services are chosen";
    EXPECT_EQ(rounds.latest(), nullptr) << "nothing was asked";

    // Escape in the form leaves the prompt unused.
    clearField();
    type("/trans");
    ASSERT_TRUE(eventually([&] { return listed() == "[Translate];"; }));
    press("Return");
    ASSERT_TRUE(eventually([&] { return formShown(); }));
    press("Escape");
    EXPECT_TRUE(eventually([&] { return !formShown() && gtk_widget_has_focus(field()); }));
    EXPECT_EQ(fieldText(), "");
    EXPECT_TRUE(askSeveral.isOpen().get());
}

// The panel: opened by its shortcut, searched, and a prompt added, used and deleted from it.
TEST_F(PromptsTest, PanelSearchesAddsUsesAndDeletesWithTheTagsConfirmCard) {
    auto& panel = window.promptsPanel();
    press("ctrl+shift+p");
    ASSERT_TRUE(eventually([&] {
        return state.showDetailPanel().get() && state.detailPanelType().get() == DetailPanelType::prompts &&
               shownOnScreen(panel.searchEntry());
    }));
    const auto titles = [&] {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < panel.rowCount(); ++i) out.push_back(panel.row(i).shownTitle());
        return out;
    };
    EXPECT_EQ(titles(), (std::vector<std::string>{"Greeting", "Review code", "Translate"}));

    // A file from outside with a bad header is listed with the reason, and offers nothing to do.
    writeFile(prompts.folder() / "broken.md", "no header here");
    ASSERT_TRUE(eventually([&] { return panel.rowCount() == 4; }));
    const auto listed = titles();
    const auto broken = std::find(listed.begin(), listed.end(), "broken.md") - listed.begin();
    ASSERT_LT(broken, 4);
    EXPECT_EQ(panel.row(broken).shownDetail(), "No valid title header");
    EXPECT_FALSE(panel.row(broken).deleteButton().get_visible());
    EXPECT_FALSE(panel.row(broken).useButton().get_visible());

    panel.searchEntry().grab_focus();
    type("bugs");
    ASSERT_TRUE(eventually([&] { return titles() == std::vector<std::string>{"Review code"}; }));

    // Add, with the keyboard from the Add button to Save.
    panel.addButton().grab_focus();
    press("Return");
    ASSERT_TRUE(eventually([&] { return panel.isEditorOpen() && focusIn(GTK_WIDGET(panel.editor().titleEntry().gobj())); }));
    EXPECT_FALSE(panel.editor().saveButton().get_sensitive()) << "no title yet";
    type("Bug hunt");
    ASSERT_TRUE(eventually([&] { return panel.editor().titleEntry().get_text() == "Bug hunt"; }));
    press("Tab");
    ASSERT_TRUE(eventually([&] { return focusIn(GTK_WIDGET(panel.editor().textView().gobj())); })) << "Tab from the title";
    type("Find bugs in {{file}}");
    ASSERT_TRUE(eventually([&] { return panel.editor().textView().get_buffer()->get_text() == "Find bugs in {{file}}"; }));
    panel.editor().saveButton().grab_focus();
    press("Return");
    ASSERT_TRUE(eventually([&] { return !panel.isEditorOpen(); }));
    ASSERT_TRUE(eventually([&] { return titles() == std::vector<std::string>{"Bug hunt", "Review code"}; }));
    EXPECT_EQ(prompts.find("Bug hunt.md")->prompt.text, "Find bugs in {{file}}");

    // With every built-in service shown the list of services is taller than the window:
    // it scrolls, and Save stays on screen.
    state.setHiddenAITabIDs({});
    panel.row(0).editButton().grab_focus();
    press("Return");
    ASSERT_TRUE(eventually([&] { return panel.isEditorOpen(); }));
    ASSERT_GT(state.visibleTabs().size(), 20u);
    ASSERT_TRUE(eventually([&] {
        graphene_rect_t bounds;
        return shownOnScreen(panel.editor().saveButton()) &&
               gtk_widget_compute_bounds(GTK_WIDGET(panel.editor().saveButton().gobj()), GTK_WIDGET(window.gobj()), &bounds) &&
               bounds.origin.y + bounds.size.height <= window.get_height();
    }));
    press("Escape");
    ASSERT_TRUE(eventually([&] { return !panel.isEditorOpen(); }));
    state.setHiddenAITabIDs([] {
        std::set<std::string> all;
        for (const auto& tab : builtInTabs()) all.insert(tab.id);
        return all;
    }());

    // Use: the composer opens with the blanks form for the prompt.
    panel.row(0).useButton().grab_focus();
    press("Return");
    ASSERT_TRUE(eventually([&] { return askSeveral.isOpen().get() && formShown(); }));
    ASSERT_TRUE(eventually([&] { return focusIn(widgetsOfType(widgetWithClass(window, "prompt-blanks"), GTK_TYPE_ENTRY).at(0)); }));
    type("main.cpp");
    press("Return");
    ASSERT_TRUE(eventually([&] { return fieldText() == "Find bugs in main.cpp"; })) << fieldText();

    // Delete asks first; Cancel keeps the file, Confirm removes it.
    state.setShowDetailPanel(true);
    ASSERT_TRUE(eventually([&] { return shownOnScreen(panel.row(0)); }));
    panel.row(0).deleteButton().grab_focus();
    press("Return");
    ASSERT_TRUE(eventually([&] { return panel.isDeleteCardOpen(); }));
    EXPECT_EQ(panel.deleteCard().title(), "Delete Prompt");
    press("Escape");
    ASSERT_TRUE(eventually([&] { return !panel.isDeleteCardOpen(); }));
    EXPECT_TRUE(std::filesystem::exists(prompts.folder() / "Bug hunt.md"));
    panel.row(0).deleteButton().grab_focus();
    press("Return");
    ASSERT_TRUE(eventually([&] { return panel.isDeleteCardOpen(); }));
    panel.deleteCard().confirmButton().grab_focus();
    press("Return");
    ASSERT_TRUE(eventually([&] { return titles() == std::vector<std::string>{"Review code"}; }));
    EXPECT_FALSE(std::filesystem::exists(prompts.folder() / "Bug hunt.md"));
    EXPECT_TRUE(std::filesystem::exists(prompts.folder() / "broken.md"));

    localization.setCurrentLanguage(AppLanguage::zhCN);
    EXPECT_EQ(panel.searchEntry().property_placeholder_text().get_value(), "搜索提示词");
}

// Import and Export go through their file choosers: what is chosen there is what is read or written.
TEST_F(PromptsTest, ImportAndExportReadAndWriteWhatIsChosenInTheirFileChoosers) {
    auto& panel = window.promptsPanel();
    press("ctrl+shift+p");
    ASSERT_TRUE(eventually([&] { return shownOnScreen(panel.searchEntry()); }));
    TempDir outside;
    writeFile(outside / "standup.md", "---\ntitle: Standup notes\n---\nSummarise {{clipboard}}\n");
    std::filesystem::create_directories(outside / "shared");
    writeFile(outside / "shared" / "a.md", "---\ntitle: 周报\n---\n本周：{{done}}\n");
    writeFile(outside / "shared" / "b.md", "---\ntitle: Plan\n---\nPlan {{what}}\n");
    const auto titles = [&] {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < panel.rowCount(); ++i) out.push_back(panel.row(i).shownTitle());
        return out;
    };
    // Answers the open chooser with `chosen`, or cancels it.
    const auto answer = [&](GtkFileChooser* chooser, const std::optional<std::filesystem::path>& chosen) {
        if (!chosen) {
            gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_CANCEL);
        } else {
            GFile* file = g_file_new_for_path(chosen->c_str());
            EXPECT_TRUE(gtk_file_chooser_set_file(chooser, file, nullptr)) << *chosen;
            // The chooser shows the selection once it has read the folder.
            EXPECT_TRUE(eventually([&] {
                GFile* selected = gtk_file_chooser_get_file(chooser);
                const bool shown = selected && g_file_equal(selected, file);
                if (selected) g_object_unref(selected);
                return shown;
            })) << *chosen;
            g_object_unref(file);
            // Its accept button, as a user presses it.
            g_signal_emit_by_name(gtk_dialog_get_widget_for_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT), "clicked");
        }
        EXPECT_TRUE(eventually([] { return openChooser() == nullptr; }));
    };
    GtkFileChooser* chooser = nullptr;

    click(panel.importFilesButton());
    ASSERT_TRUE(eventually([&] { return (chooser = openChooser()) != nullptr; }));
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(chooser)), "Import Prompts");
    EXPECT_EQ(gtk_file_chooser_get_action(chooser), GTK_FILE_CHOOSER_ACTION_OPEN);
    EXPECT_TRUE(gtk_file_chooser_get_select_multiple(chooser));
    answer(chooser, outside / "standup.md");
    ASSERT_TRUE(eventually([&] {
        return titles() == std::vector<std::string>{"Greeting", "Review code", "Standup notes", "Translate"};
    })) << ::testing::PrintToString(titles());

    click(panel.importFolderButton());
    ASSERT_TRUE(eventually([&] { return (chooser = openChooser()) != nullptr; }));
    EXPECT_EQ(gtk_file_chooser_get_action(chooser), GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER);
    answer(chooser, std::nullopt);
    EXPECT_EQ(titles().size(), 4u) << "cancelled, nothing read";
    click(panel.importFolderButton());
    ASSERT_TRUE(eventually([&] { return (chooser = openChooser()) != nullptr; }));
    answer(chooser, outside / "shared");
    ASSERT_TRUE(eventually([&] { return titles().size() == 6; })) << ::testing::PrintToString(titles());
    EXPECT_EQ(prompts.find("周报.md")->prompt.text, "本周：{{done}}");

    // Only the marked prompts are written, as the library keeps them.
    TempDir target;
    const auto shown = titles();
    const auto marked = std::find(shown.begin(), shown.end(), "Translate") - shown.begin();
    ASSERT_LT(marked, 6);
    panel.row(marked).markButton().set_active(true);
    click(panel.exportButton());
    ASSERT_TRUE(eventually([&] { return (chooser = openChooser()) != nullptr; }));
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(chooser)), "Export Prompts to a Folder");
    answer(chooser, target.path());
    ASSERT_TRUE(eventually([&] { return std::filesystem::exists(target / "Translate.md"); }));
    EXPECT_EQ(readFile(target / "Translate.md"), readFile(prompts.folder() / "Translate.md"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(target.path()), std::filesystem::directory_iterator()), 1);
}

}  // namespace
