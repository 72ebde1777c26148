#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include "integration/StateFixture.hpp"
#include "integration/WidgetChecks.hpp"
#include "panels/CustomTagsPanelView.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

using Texts = std::vector<std::string>;

// The real panel over the real state and web view store, with the three tags of the
// fixture: one, two and three.
class CustomTagsPanelTest : public StateFixture {
protected:
    CustomTagsPanelTest() {
        localization.setCurrentLanguage(AppLanguage::en);
        window = &show(view, 300, 700);
        EXPECT_TRUE(eventually([&] { return view.get_width() > 0; }));
    }
    void add(const std::string& name, const std::string& url) {
        click(view.addButton());
        view.addForm().nameField().set_text(name);
        view.addForm().urlField().set_text(url);
        click(view.addForm().saveButton());
    }
    const std::vector<CustomTab>& tags() { return customTabs.customTabs().get(); }
    WebKitWebView* openPage(const CustomTab& tag, Pane pane) {
        auto* page = store().page(tabRecord(tag), pane).view();
        EXPECT_TRUE(loaded(tag.id, pane));
        return page;
    }
    bool focusIsIn(Gtk::Widget& widget) {
        auto* focus = window->get_focus();
        return focus && (focus == &widget || focus->is_ancestor(widget));
    }

    CustomTagsPanelView view{context};
    Gtk::Window* window;
};

// One panel walked through adding, editing, deleting and the languages, the tag one shown in
// both panes; with the screen reader backend throughout, for the names of its controls.
TEST_F(CustomTagsPanelTest, AddsNormalisedTagsEditsInPlaceWithoutReloadDeletesAfterRepairingSelectionAndFollowsLanguage) {
    if (!screenReaderBackendRuns()) return expectPassWithTestBackend();
    auto first = tags()[0];
    first.attributes = {TabAttributes::webAI | 8};
    customTabs.replace(first);
    const auto second = tags()[1], third = tags()[2];
    ASSERT_EQ(state.selectedTabID().get(), first.id);
    auto* page = openPage(first);
    openPage(first, Pane::secondary);
    openPage(second);

    auto& form = view.addForm();
    click(view.addButton());
    EXPECT_TRUE(view.isAddFormOpen());
    EXPECT_FALSE(form.saveButton().get_sensitive());
    form.nameField().set_text("Name");
    EXPECT_FALSE(form.saveButton().get_sensitive());
    form.urlField().set_text("   ");
    EXPECT_TRUE(form.saveButton().get_sensitive()) << "the raw text is not empty";
    click(form.saveButton());
    form.urlField().activate();  // Enter in the field
    EXPECT_TRUE(view.isAddFormOpen()) << "an address of spaces saves nothing";
    EXPECT_EQ(tags().size(), 3u);
    form.flagBox(0).set_active(true);
    click(form.cancelButton());
    EXPECT_FALSE(view.isAddFormOpen());
    click(view.addButton());
    EXPECT_EQ(form.nameField().get_text(), "");
    EXPECT_FALSE(form.flagBox(0).get_active()) << "a cancelled form starts afresh";
    click(form.cancelButton());

    const double before = secondsSinceReferenceDate();
    add(" Example \n", " example.org/chat\n");
    ASSERT_EQ(tags().size(), 4u);
    const auto& added = tags().back();
    EXPECT_EQ((std::pair{added.name, added.url}), (std::pair<std::string, std::string>{"Example", "https://example.org/chat"}));
    EXPECT_EQ(added.attributes.rawValue, TabAttributes::webAI) << "no box ticked means Web AI";
    EXPECT_TRUE(added.id.starts_with("custom_") && added.id != first.id) << added.id;
    EXPECT_TRUE(added.createdAt >= before && added.createdAt <= secondsSinceReferenceDate());
    EXPECT_FALSE(view.isAddFormOpen());
    EXPECT_EQ(state.selectedTabID().get(), first.id) << "not selected";
    EXPECT_EQ(store().pageKeys().size(), 3u) << "adding opens no page";
    ASSERT_EQ(view.rowCount(), 4u);
    EXPECT_EQ(view.row(3).iconName(), "e.circle.fill");
    EXPECT_EQ(view.row(3).badgeTexts(), (Texts{"Web AI"}));
    click(view.addButton());
    form.nameField().set_text("Upper");
    form.urlField().set_text("HTTP://x.org");
    form.flagBox(2).set_active(true);
    form.flagBox(1).set_active(true);
    click(form.saveButton());
    EXPECT_EQ(tags().back().url, "HTTP://x.org") << "a web scheme in any case is kept as typed";
    EXPECT_EQ(tags().back().attributes.rawValue, TabAttributes::localLLM | TabAttributes::localAgent);
    EXPECT_EQ(view.row(4).badgeTexts(), (Texts{"Local LLM", "Local Agent"}));
    add("   ", "chat.example");
    EXPECT_EQ(tags().back().name, "") << "a name of spaces";
    PreferenceStore reread{dir / "preferences.json"};
    EXPECT_EQ(CustomTabManager(reread).customTabs().get(), tags()) << "saved as soon as added";

    click(view.row(0).editButton());
    ASSERT_TRUE(view.isEditCardOpen());
    auto& card = view.editCard();
    EXPECT_EQ(card.nameField().get_text(), "one");
    EXPECT_FALSE(card.flagBox(1).get_active());
    EXPECT_TRUE(focusIsIn(card.nameField())) << "the keyboard goes into the card";
    card.nameField().set_text(" Renamed ");
    card.urlField().set_text(server.url("/two"));
    card.flagBox(1).set_active(true);
    click(card.saveButton());
    EXPECT_FALSE(view.isEditCardOpen());
    EXPECT_EQ(tags()[0], (CustomTab{first.id, "Renamed", server.url("/two"),
                                    {TabAttributes::webAI | TabAttributes::localLLM | 8}, first.createdAt}))
        << "in place; a bit without a check box survives the edit";
    EXPECT_EQ(tags()[1], second);
    EXPECT_EQ(view.row(0).shownName(), "Renamed");
    EXPECT_TRUE(focusIsIn(view.row(0).editButton())) << "the keyboard returns to the row";
    const int loadsOfTwo = hits["two"];
    // A reload asked for by the edit, then or by work posted then, would be the view's
    // address at once.
    ASSERT_TRUE(runPostedWork());
    EXPECT_EQ(existingView(first.id), page);
    EXPECT_EQ(std::string(webkit_web_view_get_uri(page)), server.url("/one"));
    EXPECT_EQ(hits["two"], loadsOfTwo);
    store().existingPage({first.id, 0})->loadStartAddress(store().startURL(first.id));
    EXPECT_TRUE(eventually([&] { return hits["two"] == loadsOfTwo + 1; })) << "the start page is the new address";
    click(view.row(1).editButton());
    view.editCard().urlField().set_text("  ");
    click(view.editCard().saveButton());
    EXPECT_TRUE(view.isEditCardOpen()) << "an address of spaces saves nothing";
    click(view.editLayer().cover());
    EXPECT_FALSE(view.isEditCardOpen());
    EXPECT_EQ(tags()[1], second);
    EXPECT_TRUE(eventually([&] { return !view.editLayer().get_visible(); })) << "the card leaves";

    // Deleting the shown tag: the selection moves on while its pages live, then they go.
    bool pagesAtRepair = false, pagesAtRemoval = true;
    Connections watch;
    watch += state.selectedTabID().observe(
        [&] { pagesAtRepair = existingView(first.id) && customTabs.find(first.id); });
    watch += customTabs.customTabs().observe([&] {
        pagesAtRemoval = existingView(first.id) ||
                         existingView(first.id, Pane::secondary);
    });
    auto remaining = tags();
    click(view.row(0).deleteButton());
    click(view.deleteCard().cancelButton());
    EXPECT_FALSE(view.isDeleteCardOpen());
    click(view.row(0).deleteButton());
    click(view.deleteLayer().cover());
    EXPECT_FALSE(view.isDeleteCardOpen());
    EXPECT_EQ(tags(), remaining) << "cancelled twice";
    EXPECT_TRUE(eventually([&] { return !view.deleteLayer().get_visible(); }));
    click(view.row(0).deleteButton());
    ASSERT_TRUE(view.isDeleteCardOpen());
    EXPECT_TRUE(focusIsIn(view.deleteCard().cancelButton()));
    click(view.deleteCard().confirmButton());
    EXPECT_EQ(state.selectedTabID().get(), builtInTabs().front().id) << "the first service, though hidden";
    EXPECT_TRUE(pagesAtRepair);
    EXPECT_FALSE(pagesAtRemoval);
    EXPECT_EQ(existingView(first.id, Pane::secondary), nullptr);
    EXPECT_NE(existingView(second.id), nullptr);
    remaining.erase(remaining.begin());
    EXPECT_EQ(tags(), remaining);

    // The secondary pane's tag: the pane empties, split mode stays.
    state.setSelectedTabID(second.id);
    state.setSplitMode(true);
    state.selectTab(third.id);
    ASSERT_EQ(state.secondaryTabID().get(), third.id);
    click(view.row(1).deleteButton());
    click(view.deleteCard().confirmButton());
    EXPECT_FALSE(state.secondaryTabID().get().has_value());
    EXPECT_TRUE(state.isSplitMode().get());
    EXPECT_EQ(state.selectedTabID().get(), second.id);
    remaining.erase(remaining.begin() + 1);
    EXPECT_EQ(tags(), remaining);

    // Left: two, Example, Upper and the nameless tag.
    localization.setCurrentLanguage(AppLanguage::zhCN);
    EXPECT_TRUE(announcedAs(view.row(0).deleteButton(), "删除"));
    localization.setCurrentLanguage(AppLanguage::en);
    EXPECT_EQ((Texts{view.title(), view.emptyState().text(), view.addButtonText(), view.addForm().flagBox(0).get_label(),
                     view.deleteCard().title(), view.row(0).editButton().name()}),
              (Texts{"Custom Tags", "No custom tags", "Click to add tag", "Web AI", "Delete Tag", "Edit"}));
    EXPECT_EQ(view.row(2).badgeTexts(), (Texts{"Local LLM", "Local Agent"}));
    EXPECT_EQ(misnamed({{&view.collapseHandle(), "Custom Tags"}, {&view.row(0).editButton(), "Edit"},
                        {&view.row(0).deleteButton(), "Delete"}, {&form.nameField(), "Tag Name"}, {&form.urlField(), "URL"},
                        {&form.flagBox(1), "Local LLM"}, {&card.nameField(), "Tag Name"}, {&card.urlField(), "URL"},
                        {&card.flagBox(1), "Local LLM"}}),
              "");
    EXPECT_FALSE(announcedAs(view.row(0).deleteButton(), "删除")) << "the check itself can fail";
    EXPECT_FALSE(view.showsEmptyState());
    customTabs.setCustomTabs({});
    EXPECT_TRUE(view.showsEmptyState());
}

}  // namespace
