#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <atomic>
#include <map>
#include <regex>

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

TEST_F(CustomTagsPanelTest, AddingStoresTheNormalisedTagAtTheEndWithoutSelectingIt) {
    const auto existing = tag("Existing", "/one");
    state.setSelectedTabID(existing.id);
    auto& view = show();
    EXPECT_FALSE(view.showsEmptyState());
    const double before = secondsSinceReferenceDate();
    add(" Example \n", " example.org/chat\n");
    ASSERT_EQ(tags().size(), 2u);
    const auto& added = tags().back();
    EXPECT_EQ(added.name, "Example");
    EXPECT_EQ(added.url, "https://example.org/chat");
    EXPECT_EQ(added.attributes.rawValue, TabAttributes::webAI) << "no box ticked means Web AI";
    const std::regex idPattern("custom_[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}");
    EXPECT_TRUE(std::regex_match(added.id, idPattern)) << added.id;
    EXPECT_GE(added.createdAt, before);
    EXPECT_LE(added.createdAt, secondsSinceReferenceDate());
    EXPECT_FALSE(view.isAddFormOpen());
    EXPECT_EQ(state.selectedTabID().get(), existing.id);
    EXPECT_EQ(store().webViewCount(), 0u) << "adding opens no page";
    ASSERT_EQ(view.rowCount(), 2u);
    EXPECT_EQ(view.row(1).shownName(), "Example");
    EXPECT_EQ(view.row(1).iconName(), "e.circle.fill");
    EXPECT_EQ(view.row(1).badgeTexts(), (std::vector<std::string>{"Web AI"}));

    click(view.addButton());
    fill(view.addForm(), "Upper", "HTTP://x.org");
    view.addForm().flagBox(2).set_active(true);
    view.addForm().flagBox(1).set_active(true);
    click(view.addForm().saveButton());
    ASSERT_EQ(tags().size(), 3u);
    EXPECT_EQ(tags().back().url, "HTTP://x.org") << "a web scheme in any case is kept as typed";
    EXPECT_EQ(tags().back().attributes.rawValue, TabAttributes::localLLM | TabAttributes::localAgent);
    EXPECT_EQ(view.row(2).badgeTexts(), (std::vector<std::string>{"Local LLM", "Local Agent"}));

    PreferenceStore reread{dir / "preferences.json"};
    EXPECT_EQ(CustomTabManager(reread).customTabs().get(), tags()) << "saved as soon as added";
}

TEST_F(CustomTagsPanelTest, ANameOfSpacesIsSavedEmptyWithTheNumberIcon) {
    auto& view = show();
    add("   ", "chat.example");
    ASSERT_EQ(tags().size(), 1u);
    EXPECT_EQ(tags()[0].name, "");
    EXPECT_EQ(tags()[0].url, "https://chat.example");
    EXPECT_EQ(view.row(0).iconName(), "number.circle.fill");
    EXPECT_EQ(view.row(0).shownName(), "");
}

TEST_F(CustomTagsPanelTest, SaveWaitsForBothFieldsAndAnAddressOfSpacesChangesNothing) {
    auto& view = show();
    EXPECT_TRUE(view.showsEmptyState());
    click(view.addButton());
    EXPECT_TRUE(view.isAddFormOpen());
    EXPECT_FALSE(view.showsEmptyState());
    auto& form = view.addForm();
    EXPECT_FALSE(form.saveButton().get_sensitive());
    form.nameField().set_text("Name");
    EXPECT_FALSE(form.saveButton().get_sensitive());
    form.urlField().set_text("   ");
    EXPECT_TRUE(form.saveButton().get_sensitive()) << "the raw text is not empty";

    click(form.saveButton());
    form.urlField().activate();  // Enter in the field
    EXPECT_TRUE(view.isAddFormOpen());
    EXPECT_EQ(form.nameField().get_text(), "Name");
    EXPECT_EQ(form.urlField().get_text(), "   ");
    EXPECT_TRUE(tags().empty());
    EXPECT_FALSE(preferences.rawValue(CustomTabManager::key)) << "nothing was written";

    form.flagBox(0).set_active(true);
    click(form.cancelButton());
    EXPECT_FALSE(view.isAddFormOpen());
    click(view.addButton());
    EXPECT_EQ(form.nameField().get_text(), "");
    EXPECT_EQ(form.urlField().get_text(), "");
    EXPECT_FALSE(form.flagBox(0).get_active()) << "a cancelled form starts afresh";
}

TEST_F(CustomTagsPanelTest, EditingReplacesTheTagInPlaceAndKeepsWhatTheCardDoesNotShow) {
    const auto first = tag("First", "/one", TabAttributes::webAI | 8);
    const auto second = tag("Second", "/two");
    auto& view = show();
    click(view.row(0).editButton());
    ASSERT_TRUE(view.isEditCardOpen());
    auto& card = view.editCard();
    EXPECT_EQ(card.nameField().get_text(), "First");
    EXPECT_EQ(std::string(card.urlField().get_text()), first.url);
    EXPECT_TRUE(card.flagBox(0).get_active());
    EXPECT_FALSE(card.flagBox(1).get_active());
    EXPECT_TRUE(focusIsIn(card.nameField())) << "the keyboard goes into the card";

    card.nameField().set_text(" Renamed ");
    card.flagBox(1).set_active(true);
    click(card.saveButton());
    EXPECT_FALSE(view.isEditCardOpen());
    ASSERT_EQ(tags().size(), 2u);
    EXPECT_EQ(tags()[0].id, first.id);
    EXPECT_EQ(tags()[0].name, "Renamed");
    EXPECT_EQ(tags()[0].createdAt, first.createdAt);
    EXPECT_EQ(tags()[0].attributes.rawValue, TabAttributes::webAI | TabAttributes::localLLM | 8)
        << "a bit without a check box survives the edit";
    EXPECT_EQ(tags()[1], second);
    EXPECT_EQ(view.row(0).shownName(), "Renamed");
    EXPECT_TRUE(focusIsIn(view.row(0).editButton())) << "the keyboard returns to the row";

    click(view.row(1).editButton());
    view.editCard().urlField().set_text("  ");
    click(view.editCard().saveButton());
    EXPECT_TRUE(view.isEditCardOpen()) << "an address of spaces saves nothing";
    click(view.editLayer().cover());
    EXPECT_FALSE(view.isEditCardOpen());
    EXPECT_EQ(tags()[1], second);
    EXPECT_TRUE(eventually([&] { return !view.editLayer().get_visible(); })) << "the card leaves";
}

TEST_F(CustomTagsPanelTest, EditingTheAddressOfTheOpenTagDoesNotReloadIt) {
    const auto open = tag("Open", "/one");
    state.setSelectedTabID(open.id);
    auto* page = openPage(open, Pane::primary);
    ASSERT_EQ(hits["/one"], 1);
    auto& view = show();
    click(view.row(0).editButton());
    view.editCard().urlField().set_text(server.url("/two"));
    click(view.editCard().saveButton());
    ASSERT_EQ(tags()[0].url, server.url("/two"));

    runLoopFor(std::chrono::milliseconds(500));  // room for a reload that must not come
    EXPECT_EQ(store().existingWebView(open.id, Pane::primary), page);
    EXPECT_EQ(std::string(webkit_web_view_get_uri(page)), server.url("/one"));
    EXPECT_EQ(hits["/two"], 0);
    EXPECT_EQ(state.selectedTabID().get(), open.id);

    store().reloadStartPage(open.id, Pane::primary);
    EXPECT_TRUE(eventually([&] { return hits["/two"] == 1; })) << "the start page is the new address";
}

TEST_F(CustomTagsPanelTest, DeletingTheShownTagRepairsTheSelectionThenRemovesItsPagesThenTheTag) {
    const auto shown = tag("Shown", "/one");
    const auto other = tag("Other", "/two");
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
    ASSERT_TRUE(view.isDeleteCardOpen());
    EXPECT_TRUE(focusIsIn(view.deleteCard().cancelButton()));
    click(view.deleteCard().confirmButton());

    EXPECT_EQ(state.selectedTabID().get(), builtInTabs().front().id) << "the first service, though hidden";
    EXPECT_TRUE(pagesAtRepair);
    EXPECT_FALSE(pagesAtRemoval);
    EXPECT_EQ(store().existingWebView(shown.id, Pane::primary), nullptr);
    EXPECT_EQ(store().existingWebView(shown.id, Pane::secondary), nullptr);
    EXPECT_NE(store().existingWebView(other.id, Pane::primary), nullptr);
    EXPECT_EQ(tags(), (std::vector<CustomTab>{other}));
    EXPECT_FALSE(view.isDeleteCardOpen());
    EXPECT_EQ(view.rowCount(), 1u);
}

TEST_F(CustomTagsPanelTest, DeletingTheSecondaryPanesTagLeavesSplitModeOn) {
    const auto primary = tag("Primary", "/one");
    const auto secondary = tag("Secondary", "/two");
    state.setSelectedTabID(primary.id);
    state.setSplitMode(true);
    state.selectTab(secondary.id);
    ASSERT_EQ(state.secondaryTabID().get(), secondary.id);
    auto& view = show();
    click(view.row(1).deleteButton());
    click(view.deleteCard().confirmButton());
    EXPECT_FALSE(state.secondaryTabID().get().has_value());
    EXPECT_TRUE(state.isSplitMode().get());
    EXPECT_EQ(state.selectedTabID().get(), primary.id);
    EXPECT_EQ(tags(), (std::vector<CustomTab>{primary}));
}

TEST_F(CustomTagsPanelTest, CancellingTheDeleteCardKeepsTheTag) {
    const auto kept = tag("Kept", "/one");
    state.setSelectedTabID(kept.id);
    auto& view = show();
    click(view.row(0).deleteButton());
    click(view.deleteCard().cancelButton());
    EXPECT_FALSE(view.isDeleteCardOpen());
    click(view.row(0).deleteButton());
    click(view.deleteLayer().cover());
    EXPECT_FALSE(view.isDeleteCardOpen());
    EXPECT_EQ(tags(), (std::vector<CustomTab>{kept}));
    EXPECT_EQ(state.selectedTabID().get(), kept.id);
    EXPECT_TRUE(eventually([&] { return !view.deleteLayer().get_visible(); }));
}

TEST_F(CustomTagsPanelTest, EveryTextFollowsTheInterfaceLanguage) {
    tag("Tag", "/one", TabAttributes::webAI | TabAttributes::localAgent);
    auto& view = show();
    struct Expected {
        AppLanguage language;
        const char *title, *empty, *add, *webAI, *localAgent, *deleteTitle, *edit;
    };
    for (const auto& expected : {Expected{AppLanguage::zhTW, "自訂標籤", "暫無自訂標籤", "點擊添加標籤", "網頁版 AI",
                                          "本地 Agent", "刪除標籤", "編輯"},
                                 Expected{AppLanguage::zhCN, "自定义标签", "暂无自定义标签", "点击添加标签", "网页版 AI",
                                          "本地 Agent", "删除标签", "编辑"},
                                 Expected{AppLanguage::en, "Custom Tags", "No custom tags", "Click to add tag", "Web AI",
                                          "Local Agent", "Delete Tag", "Edit"}}) {
        localization.setCurrentLanguage(expected.language);
        EXPECT_EQ(view.title(), expected.title);
        EXPECT_EQ(view.emptyState().text(), expected.empty);
        EXPECT_EQ(view.addButtonText(), expected.add);
        EXPECT_EQ(view.row(0).badgeTexts(), (std::vector<std::string>{expected.webAI, expected.localAgent}));
        EXPECT_EQ(view.addForm().flagBox(0).get_label(), expected.webAI);
        EXPECT_EQ(view.deleteCard().title(), expected.deleteTitle);
        EXPECT_EQ(view.row(0).editButton().name(), expected.edit) << "the delayed tooltip";
    }
}

TEST_F(CustomTagsPanelTest, ScreenReadersHearEveryControlInTheInterfaceLanguage) {
    if (!screenReaderBackendRuns()) return expectPassWithTestBackend();
    tag("Tag", "/one");
    auto& view = show();
    struct Expected {
        AppLanguage language;
        const char *title, *name, *url, *localLLM, *edit, *remove;
    };
    for (const auto& expected :
         {Expected{AppLanguage::zhTW, "自訂標籤", "標籤名稱", "網址", "本地大模型", "編輯", "刪除"},
          Expected{AppLanguage::zhCN, "自定义标签", "标签名称", "网址", "本地大模型", "编辑", "删除"},
          Expected{AppLanguage::en, "Custom Tags", "Tag Name", "URL", "Local LLM", "Edit", "Delete"}}) {
        localization.setCurrentLanguage(expected.language);
        EXPECT_TRUE(announcedAs(view.collapseHandle(), expected.title)) << expected.title;
        for (auto* form : {&view.addForm(), &view.editCard()}) {
            EXPECT_TRUE(announcedAs(form->nameField(), expected.name)) << expected.name;
            EXPECT_TRUE(announcedAs(form->urlField(), expected.url)) << expected.url;
            EXPECT_TRUE(announcedAs(form->flagBox(1), expected.localLLM)) << expected.localLLM;
        }
        EXPECT_TRUE(announcedAs(view.row(0).editButton(), expected.edit)) << expected.edit;
        EXPECT_TRUE(announcedAs(view.row(0).deleteButton(), expected.remove)) << expected.remove;
    }
    EXPECT_FALSE(announcedAs(view.row(0).deleteButton(), "刪除")) << "the check itself can fail";
}

}  // namespace
