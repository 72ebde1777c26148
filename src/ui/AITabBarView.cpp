#include "ui/AITabBarView.hpp"

#include <gtkmm/eventcontrollermotion.h>

#include "app/LocalizationManager.hpp"
#include "platform/MainQueue.hpp"
#include "ui/MenuCommands.hpp"
#include "app/CustomTabManager.hpp"
#include "widgets/Accessibility.hpp"
#include "widgets/Icons.hpp"
#include "ui/CurrentPage.hpp"
#include "web/AnswerActivity.hpp"
#include "web/WebViewStore.hpp"

namespace corvina {

namespace {

const std::map<AITabBarView::Control, LocalizedText> controlTexts = {
    {AITabBarView::Control::toggle, {"Hide Tab Bar", "隱藏標籤欄", "隐藏标签栏"}},
    {AITabBarView::Control::back, MenuCommands::goBackTitle},
    {AITabBarView::Control::refresh, {"Refresh Page", "重新整理頁面", "刷新页面"}},
    {AITabBarView::Control::forward, MenuCommands::goForwardTitle},
    {AITabBarView::Control::position, {"Switch Tab Bar Position", "切換標籤欄位置", "切换标签栏位置"}},
};

const std::map<AITabBarView::Control, std::pair<const char*, int>> controlIcons = {
    {AITabBarView::Control::back, {"chevron.left", 11}},
    {AITabBarView::Control::refresh, {"arrow.clockwise", 11}},
    {AITabBarView::Control::forward, {"chevron.right", 11}},
    {AITabBarView::Control::position, {"rectangle.lefthalf.inset.filled", 12}},
};

}  // namespace

AITabBarView::AITabBarView(AppContext& context)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 0), context_(context), store_(context.webViewStore) {
    add_css_class("tab-bar");
    list_.set_margin_start(10);
    list_.set_margin_end(10);
    list_.set_margin_top(8);
    divider_.add_css_class("tab-divider");
    divider_.set_margin_top(4);
    divider_.set_margin_bottom(4);
    divider_.set_margin_start(6);
    divider_.set_margin_end(6);
    scroll_.set_child(list_);
    scroll_.set_vexpand(true);
    scroll_.set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
    append(scroll_);
    buildHeader();

    auto& state = context.appState;
    const auto rebuild = [this] { rebuildRows(); };
    const auto refresh = [this] {
        refreshRows();
        refreshHeader();
    };
    connections_ += state.hiddenAITabIDs().observe(rebuild);
    connections_ += context.customTabManager.customTabs().observe(rebuild);
    connections_ += store_.sleepingTabIDs().observe(refresh);
    connections_ += context.answerActivity.services().observe(refresh);
    connections_ += state.panes().observe(refresh);
    connections_ += state.isWindowOutOfSight().observe(refresh);
    connections_ += state.showSidebar().observe(refresh);
    connections_ += state.sidebarPosition().observe(refresh);
    connections_ += context.localization.currentLanguage().observe([this] {
        refreshRows();
        retitle();
    });
    rebuildRows();
    refreshHeader();
    retitle();
}

void AITabBarView::buildHeader() {
    header_.add_css_class("tab-bar-header");
    header_.set_transition_duration(300);
    // Each form takes its own width, so the collapsed bar can be narrow.
    header_.set_hhomogeneous(false);
    header_.set_interpolate_size(true);
    expanded_.set_margin_start(12);
    expanded_.set_margin_end(12);
    auto& state = context_.appState;
    const auto toggle = [&state] { state.toggleSidebar(); };
    const std::pair<Control, std::function<void()>> controls[] = {
        {Control::toggle, toggle},
        {Control::back, [this, &state] { onCurrentPage(state, store_, &ServicePage::goBack); }},
        {Control::refresh, [this, &state] { reloadCurrentStartPage(state, store_); }},
        {Control::forward, [this, &state] { onCurrentPage(state, store_, &ServicePage::goForward); }},
        {Control::position,
         [&state] {
             state.setSidebarPosition(state.sidebarPosition().get() == SidebarPosition::left ? SidebarPosition::right
                                                                                             : SidebarPosition::left);
         }},
    };
    for (const auto& [which, action] : controls) {
        if (expanded_.get_first_child()) {
            auto* spacer = Gtk::make_managed<Gtk::Box>();
            spacer->set_hexpand(true);
            expanded_.append(*spacer);
        }
        expanded_.append(makeButton(which, action).button);
    }
    // Collapsed: the toggle alone, which expands the bar again.
    collapsedToggle_.button.add_css_class("flat");
    collapsedToggle_.button.set_child(collapsedToggle_.icon);
    collapsedToggle_.button.signal_clicked().connect(toggle);
    collapsedToggle_.tooltip = std::make_unique<DelayedTooltip>(collapsedToggle_.button, context_.queue);
    collapsed_.set_halign(Gtk::Align::CENTER);
    collapsed_.append(collapsedToggle_.button);
    header_.add(expanded_, "expanded");
    header_.add(collapsed_, "collapsed");
    announceShownPageOnly(header_);
    append(header_);
}

AITabBarView::HeaderButton& AITabBarView::makeButton(Control which, std::function<void()> action) {
    auto& entry = buttons_[which];
    entry.button.add_css_class("flat");
    entry.button.add_css_class("tab-bar-control");
    entry.button.set_child(entry.icon);
    if (auto icon = controlIcons.find(which); icon != controlIcons.end())
        showSymbol(entry.icon, icon->second.first, icon->second.second);
    entry.button.signal_clicked().connect(std::move(action));
    entry.tooltip = std::make_unique<DelayedTooltip>(entry.button, context_.queue);
    return entry;
}

Gtk::Button& AITabBarView::control(Control which) {
    return which == Control::toggle && !context_.appState.showSidebar().get() ? collapsedToggle_.button
                                                                               : buttons_.at(which).button;
}

DelayedTooltip& AITabBarView::tooltip(Control which) {
    return which == Control::toggle && !context_.appState.showSidebar().get() ? *collapsedToggle_.tooltip
                                                                               : *buttons_.at(which).tooltip;
}

std::vector<AITabItemView*> AITabBarView::rows() const {
    std::vector<AITabItemView*> out;
    for (const auto& row : rows_) out.push_back(row.get());
    return out;
}

// Built-in services in catalogue order without the hidden ones, then a divider and the tags.
void AITabBarView::rebuildRows() {
    for (auto& row : rows_) list_.remove(*row);
    rows_.clear();
    context_.appState.setPointedTabID(std::nullopt);
    if (divider_.get_parent()) list_.remove(divider_);
    auto& state = context_.appState;
    const auto add = [this, &state](const AITab& tab) {
        rows_.push_back(std::make_unique<AITabItemView>(tab, [&state, id = tab.id] { state.selectTab(id); }));
        // The pointer on a row hints at the next choice; the panes get its page ready.
        auto motion = Gtk::EventControllerMotion::create();
        motion->signal_enter().connect([&state, id = tab.id](double, double) { state.setPointedTabID(id); });
        motion->signal_leave().connect([&state, id = tab.id] {
            if (state.pointedTabID().get() == id) state.setPointedTabID(std::nullopt);
        });
        rows_.back()->add_controller(motion);
        // A second account of a built-in service: a tag at its address with its own sign-in,
        // shown at once so the user can sign in.
        if (findBuiltInTab(tab.id))
            rows_.back()->offerAnotherAccount([this, tab] {
                // The rows are rebuilt for the new tag: not from inside this row's own click.
                context_.queue.post(owner_.bind([tab](AITabBarView& bar) {
                    const auto tag = anotherAccount(tab, bar.context_.localization.language());
                    bar.context_.customTabManager.add(tag);
                    bar.context_.appState.selectTab(tag.id);
                }));
            });
        list_.append(*rows_.back());
    };
    const auto tabs = state.visibleTabs();
    const auto tagCount = context_.customTabManager.customTabs().get().size();
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        if (i + tagCount == tabs.size()) list_.append(divider_);
        add(tabs[i]);
    }
    refreshRows();
}

void AITabBarView::refreshRows() {
    const auto& state = context_.appState;
    const auto& panes = state.panes();
    const auto& sleeping = store_.sleepingTabIDs().get();
    bool answering = false;
    for (auto& row : rows_) {
        const auto& id = row->tab().id;
        // The first pane's service in its colour, the other panes' in theirs.
        const auto showing = panes.panesShowing(id);
        const bool inFirst = !showing.empty() && showing.front() == 0;
        row->update(inFirst, !showing.empty() && !inFirst, state.showSidebar().get(),
                    context_.localization.language());
        row->showAsleep(sleeping.contains(id));
        const auto& activity = context_.answerActivity.of(id);
        row->showActivity(activity, state.showSidebar().get(), context_.localization.language());
        answering = answering || activity.answering;
    }
    // Out of sight, a beat would have the whole window drawn for no one.
    answeringPulse_.run(answering && !state.isWindowOutOfSight().get());
}

void AITabBarView::refreshHeader() {
    const auto& state = context_.appState;
    const bool onLeft = state.sidebarPosition().get() == SidebarPosition::left;
    const char* sidebarIcon = onLeft ? "sidebar.left" : "sidebar.right";
    showSymbol(buttons_.at(Control::toggle).icon, sidebarIcon, 12);
    showSymbol(collapsedToggle_.icon, sidebarIcon, 12);
    // Content comes in from, and leaves towards, the bar's own edge.
    const bool expanded = state.showSidebar().get();
    header_.set_transition_type(expanded == onLeft ? Gtk::StackTransitionType::SLIDE_RIGHT
                                                   : Gtk::StackTransitionType::SLIDE_LEFT);
    header_.set_visible_child(expanded ? "expanded" : "collapsed");
    expanded ? remove_css_class("collapsed") : add_css_class("collapsed");
}

void AITabBarView::retitle() {
    const auto language = context_.localization.language();
    for (auto& [which, entry] : buttons_) {
        const auto text = controlTexts.at(which).in(language);
        entry.tooltip->setText(text);
        setAccessibleLabel(entry.button, text);
    }
    const auto toggleText = controlTexts.at(Control::toggle).in(language);
    collapsedToggle_.tooltip->setText(toggleText);
    setAccessibleLabel(collapsedToggle_.button, toggleText);
}

}  // namespace corvina
