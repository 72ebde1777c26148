#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <atomic>
#include <map>

#include "integration/AppObjects.hpp"
#include "integration/AppProcess.hpp"
#include "integration/LocalServer.hpp"
#include "integration/WidgetChecks.hpp"
#include "panels/CustomTagsPanelView.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// The real panel over the real state and web view store. Built-in services are hidden and
// every tag that gets a web view points at a local server, so nothing leaves the machine.
class CustomTagsPanelTest : public ::testing::Test, protected AppObjects<GlibMainQueue> {
protected:
    CustomTagsPanelTest() {
        localization.setCurrentLanguage(AppLanguage::en);
        hideBuiltInServices();
        for (const char* page : {"/one", "/two"}) {
            hits[page] = 0;  // before any request, so the server thread never inserts
            server.server.Get(page, [this, page](const httplib::Request&, httplib::Response& res) {
                ++hits[page];
                res.set_content("<title>page</title>", "text/html");
            });
        }
    }

    CustomTagsPanelView& show() {
        panel = std::make_unique<CustomTagsPanelView>(context);
        window = &AppObjects::show(*panel, 300, 700);
        EXPECT_TRUE(eventually([&] { return panel->get_width() > 0; }));
        return *panel;
    }
    CustomTab tag(const std::string& name, const std::string& path, std::int64_t flags = TabAttributes::webAI) {
        CustomTab made{newCustomTabID(), name, server.url(path), {flags}, 1000};
        customTabs.add(made);
        return made;
    }
    void fill(CustomTagsForm& form, const std::string& name, const std::string& url) {
        form.nameField().set_text(name);
        form.urlField().set_text(url);
    }
    void add(const std::string& name, const std::string& url) {
        click(panel->addButton());
        fill(panel->addForm(), name, url);
        click(panel->addForm().saveButton());
    }
    const std::vector<CustomTab>& tags() { return customTabs.customTabs().get(); }
    WebKitWebView* openPage(const CustomTab& tag, Pane pane) {
        auto* view = store().webView(tabRecord(tag), pane);
        EXPECT_TRUE(eventually([&] { return !store().isTabLoading(tag.id, pane); }, std::chrono::seconds(15)));
        return view;
    }
    bool focusIsIn(Gtk::Widget& widget) {
        auto* focus = window->get_focus();
        return focus && (focus == &widget || focus->is_ancestor(widget));
    }

    std::map<std::string, std::atomic<int>> hits;  // outlives the server that counts into it
    LocalServer server;
    Gtk::Window* window = nullptr;
    std::unique_ptr<CustomTagsPanelView> panel;
};

TEST_F(CustomTagsPanelTest, TheAddFormWaitsForBothFieldsThenStoresTheNormalisedTagAtTheEnd) {
    const auto existing = tag("Existing", "/one");
    state.setSelectedTabID(existing.id);
    auto& view = show();
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
    EXPECT_EQ(tags().size(), 1u);
    form.flagBox(0).set_active(true);
    click(form.cancelButton());
    EXPECT_FALSE(view.isAddFormOpen());
    click(view.addButton());
    EXPECT_EQ(form.nameField().get_text(), "");
    EXPECT_FALSE(form.flagBox(0).get_active()) << "a cancelled form starts afresh";
    click(form.cancelButton());

    const double before = secondsSinceReferenceDate();
    add(" Example \n", " example.org/chat\n");
    ASSERT_EQ(tags().size(), 2u);
    const auto& added = tags().back();
    EXPECT_EQ((std::pair{added.name, added.url}), (std::pair<std::string, std::string>{"Example", "https://example.org/chat"}));
    EXPECT_EQ(added.attributes.rawValue, TabAttributes::webAI) << "no box ticked means Web AI";
    EXPECT_TRUE(added.id.starts_with("custom_") && added.id != existing.id) << added.id;
    EXPECT_TRUE(added.createdAt >= before && added.createdAt <= secondsSinceReferenceDate());
    EXPECT_FALSE(view.isAddFormOpen());
    EXPECT_EQ(state.selectedTabID().get(), existing.id) << "not selected";
    EXPECT_EQ(store().webViewCount(), 0u) << "adding opens no page";
    ASSERT_EQ(view.rowCount(), 2u);
    EXPECT_EQ(view.row(1).iconName(), "e.circle.fill");
    EXPECT_EQ(view.row(1).badgeTexts(), (std::vector<std::string>{"Web AI"}));

    click(view.addButton());
    fill(form, "Upper", "HTTP://x.org");
    form.flagBox(2).set_active(true);
    form.flagBox(1).set_active(true);
    click(form.saveButton());
    ASSERT_EQ(tags().size(), 3u);
    EXPECT_EQ(tags().back().url, "HTTP://x.org") << "a web scheme in any case is kept as typed";
    EXPECT_EQ(tags().back().attributes.rawValue, TabAttributes::localLLM | TabAttributes::localAgent);
    EXPECT_EQ(view.row(2).badgeTexts(), (std::vector<std::string>{"Local LLM", "Local Agent"}));

    add("   ", "chat.example");
    EXPECT_EQ(tags().back().name, "");
    EXPECT_EQ(view.row(3).iconName(), "number.circle.fill") << "a name of spaces";

    PreferenceStore reread{dir / "preferences.json"};
    EXPECT_EQ(CustomTabManager(reread).customTabs().get(), tags()) << "saved as soon as added";
}

TEST_F(CustomTagsPanelTest, EditingReplacesTheTagInPlaceKeepsHiddenBitsAndDoesNotReloadItsPage) {
    const auto first = tag("First", "/one", TabAttributes::webAI | 8);
    const auto second = tag("Second", "/two");
    state.setSelectedTabID(first.id);
    auto* page = openPage(first, Pane::primary);
    ASSERT_EQ(hits["/one"], 1);
    auto& view = show();
    click(view.row(0).editButton());
    ASSERT_TRUE(view.isEditCardOpen());
    auto& card = view.editCard();
    EXPECT_EQ(card.nameField().get_text(), "First");
    EXPECT_FALSE(card.flagBox(1).get_active());
    EXPECT_TRUE(focusIsIn(card.nameField())) << "the keyboard goes into the card";

    card.nameField().set_text(" Renamed ");
    card.urlField().set_text(server.url("/two"));
    card.flagBox(1).set_active(true);
    click(card.saveButton());
    EXPECT_FALSE(view.isEditCardOpen());
    ASSERT_EQ(tags().size(), 2u);
    EXPECT_EQ(tags()[0], (CustomTab{first.id, "Renamed", server.url("/two"),
                                    {TabAttributes::webAI | TabAttributes::localLLM | 8}, first.createdAt}))
        << "in place; a bit without a check box survives the edit";
    EXPECT_EQ(tags()[1], second);
    EXPECT_EQ(view.row(0).shownName(), "Renamed");
    EXPECT_TRUE(focusIsIn(view.row(0).editButton())) << "the keyboard returns to the row";

    runLoopFor(std::chrono::milliseconds(500));  // room for a reload that must not come
    EXPECT_EQ(store().existingWebView(first.id, Pane::primary), page);
    EXPECT_EQ(std::string(webkit_web_view_get_uri(page)), server.url("/one"));
    EXPECT_EQ(hits["/two"], 0);
    store().reloadStartPage(first.id, Pane::primary);
    EXPECT_TRUE(eventually([&] { return hits["/two"] == 1; })) << "the start page is the new address";

    click(view.row(1).editButton());
    view.editCard().urlField().set_text("  ");
    click(view.editCard().saveButton());
    EXPECT_TRUE(view.isEditCardOpen()) << "an address of spaces saves nothing";
    click(view.editLayer().cover());
    EXPECT_FALSE(view.isEditCardOpen());
    EXPECT_EQ(tags()[1], second);
    EXPECT_TRUE(eventually([&] { return !view.editLayer().get_visible(); })) << "the card leaves";
}

TEST_F(CustomTagsPanelTest, DeletingRepairsTheSelectionThenRemovesThePagesThenTheTag) {
    const auto shown = tag("Shown", "/one");
    const auto other = tag("Other", "/two");
    const auto third = tag("Third", "/two");
    state.setSelectedTabID(shown.id);
    openPage(shown, Pane::primary);
    openPage(shown, Pane::secondary);
    openPage(other, Pane::primary);
    bool pagesAtRepair = false, pagesAtRemoval = true;
    Connections watch;
    watch += state.selectedTabID().observe(
        [&] { pagesAtRepair = store().existingWebView(shown.id, Pane::primary) && customTabs.find(shown.id); });
    watch += customTabs.customTabs().observe([&] {
        pagesAtRemoval = store().existingWebView(shown.id, Pane::primary) ||
                         store().existingWebView(shown.id, Pane::secondary);
    });

    auto& view = show();
    click(view.row(0).deleteButton());
    click(view.deleteCard().cancelButton());
    EXPECT_FALSE(view.isDeleteCardOpen());
    click(view.row(0).deleteButton());
    click(view.deleteLayer().cover());
    EXPECT_FALSE(view.isDeleteCardOpen());
    EXPECT_EQ(tags().size(), 3u) << "cancelled twice";
    EXPECT_TRUE(eventually([&] { return !view.deleteLayer().get_visible(); }));

    click(view.row(0).deleteButton());
    ASSERT_TRUE(view.isDeleteCardOpen());
    EXPECT_TRUE(focusIsIn(view.deleteCard().cancelButton()));
    click(view.deleteCard().confirmButton());
    EXPECT_EQ(state.selectedTabID().get(), builtInTabs().front().id) << "the first service, though hidden";
    EXPECT_TRUE(pagesAtRepair);
    EXPECT_FALSE(pagesAtRemoval);
    EXPECT_EQ(store().existingWebView(shown.id, Pane::secondary), nullptr);
    EXPECT_NE(store().existingWebView(other.id, Pane::primary), nullptr);
    EXPECT_EQ(tags(), (std::vector<CustomTab>{other, third}));

    // The secondary pane's tag: the pane empties, split mode stays.
    state.setSelectedTabID(other.id);
    state.setSplitMode(true);
    state.selectTab(third.id);
    ASSERT_EQ(state.secondaryTabID().get(), third.id);
    click(view.row(1).deleteButton());
    click(view.deleteCard().confirmButton());
    EXPECT_FALSE(state.secondaryTabID().get().has_value());
    EXPECT_TRUE(state.isSplitMode().get());
    EXPECT_EQ(state.selectedTabID().get(), other.id);
    EXPECT_EQ(tags(), (std::vector<CustomTab>{other}));
}

TEST_F(CustomTagsPanelTest, EveryTextAndScreenReaderNameFollowsTheInterfaceLanguage) {
    if (!screenReaderBackendRuns()) return expectPassWithTestBackend();
    localization.setCurrentLanguage(AppLanguage::zhCN);
    tag("Tag", "/one", TabAttributes::webAI | TabAttributes::localAgent);
    auto& view = show();
    EXPECT_FALSE(view.showsEmptyState());
    EXPECT_TRUE(announcedAs(view.row(0).deleteButton(), "删除"));
    localization.setCurrentLanguage(AppLanguage::en);
    EXPECT_EQ(view.title(), "Custom Tags");
    EXPECT_EQ(view.emptyState().text(), "No custom tags");
    EXPECT_EQ(view.addButtonText(), "Click to add tag");
    EXPECT_EQ(view.row(0).badgeTexts(), (std::vector<std::string>{"Web AI", "Local Agent"}));
    EXPECT_EQ(view.addForm().flagBox(0).get_label(), "Web AI");
    EXPECT_EQ(view.deleteCard().title(), "Delete Tag");
    EXPECT_EQ(view.row(0).editButton().name(), "Edit") << "the delayed tooltip";
    EXPECT_TRUE(announcedAs(view.collapseHandle(), "Custom Tags"));
    for (auto* form : {&view.addForm(), &view.editCard()}) {
        EXPECT_TRUE(announcedAs(form->nameField(), "Tag Name"));
        EXPECT_TRUE(announcedAs(form->urlField(), "URL"));
        EXPECT_TRUE(announcedAs(form->flagBox(1), "Local LLM"));
    }
    EXPECT_TRUE(announcedAs(view.row(0).editButton(), "Edit"));
    EXPECT_TRUE(announcedAs(view.row(0).deleteButton(), "Delete"));
    EXPECT_FALSE(announcedAs(view.row(0).deleteButton(), "删除")) << "the check itself can fail";
    customTabs.setCustomTabs({});
    EXPECT_TRUE(view.showsEmptyState());
}

}  // namespace
