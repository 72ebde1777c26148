#include "web/WebBrowserContainerView.hpp"

#include "app/AITab.hpp"
#include "app/LocalizationManager.hpp"
#include "panels/CustomTabManager.hpp"
#include "web/WebViewStore.hpp"

namespace corvina {

namespace {

constexpr Milliseconds oneFrame{16};
constexpr const char* blankPage = "corvina-blank";
constexpr const char* placeholderPage = "corvina-placeholder";
constexpr LocalizedText closeText{"Close", "關閉", "关闭"};

// Show animations are a little slower than hide animations.
void reveal(Gtk::Revealer& revealer, bool shown) {
    if (revealer.get_reveal_child() == shown) return;
    revealer.set_transition_duration(shown ? 350 : 300);
    revealer.set_reveal_child(shown);
}

}  // namespace

WebBrowserContainerView::WebBrowserContainerView(AppContext& context, Pane pane)
    : context_(context), store_(context.appState.webViewStore()), pane_(pane),
      toast_([this] { store_.dismissDownloadToast(); }) {
    add_css_class("web-pane");
    set_overflow(Gtk::Overflow::HIDDEN);
    stack_.set_transition_type(Gtk::StackTransitionType::NONE);
    stack_.set_hhomogeneous(true);
    stack_.set_vhomogeneous(true);
    stack_.add(blank_, blankPage);

    placeholderIcon_.set_from_icon_name("plus.rectangle.on.rectangle-symbolic");
    placeholderIcon_.set_pixel_size(40);
    placeholderLabel_.add_css_class("placeholder-text");
    placeholder_.append(placeholderIcon_);
    placeholder_.append(placeholderLabel_);
    placeholder_.set_valign(Gtk::Align::CENTER);
    placeholder_.add_css_class("pane-placeholder");
    placeholder_.add_css_class("dim-label");
    stack_.add(placeholder_, placeholderPage);
    set_child(stack_);

    spinner_.set_size_request(38, 38);
    spinner_.set_halign(Gtk::Align::CENTER);
    spinner_.set_valign(Gtk::Align::CENTER);
    spinner_.set_can_target(false);
    add_overlay(spinner_);

    toastRevealer_.set_transition_type(Gtk::RevealerTransitionType::SLIDE_DOWN);
    toastRevealer_.set_valign(Gtk::Align::START);
    toastRevealer_.set_halign(Gtk::Align::CENTER);
    toastRevealer_.set_margin_top(60);
    toastRevealer_.set_child(toast_);
    add_overlay(toastRevealer_);

    tipRevealer_.set_transition_type(Gtk::RevealerTransitionType::CROSSFADE);
    tipRevealer_.set_valign(Gtk::Align::CENTER);
    tipRevealer_.set_halign(Gtk::Align::CENTER);
    tipRevealer_.set_can_target(false);
    tipRevealer_.set_child(tip_);
    add_overlay(tipRevealer_);

    auto& state = context.appState;
    const auto refreshSlot = [this] { refresh(); };
    connections_ += state.selectedTabID().observe(refreshSlot);
    connections_ += state.secondaryTabID().observe(refreshSlot);
    connections_ += state.hiddenAITabIDs().observe(refreshSlot);
    connections_ += context.customTabManager.customTabs().observe(refreshSlot);
    connections_ += store_.isLoading().observe(refreshSlot);
    connections_ += store_.showDownloadToast().observe([this] { refreshOverlays(); });
    connections_ += store_.downloadToastMessage().observe([this] { refreshOverlays(); });
    connections_ += store_.showFileDropTip().observe([this] { refreshOverlays(); });
    connections_ += context.localization.currentLanguage().observe([this] { retitle(); });
    retitle();
    refresh();
    refreshOverlays();
}

// The web views belong to the store: take them out of this pane, never destroy them.
WebBrowserContainerView::~WebBrowserContainerView() {
    connections_.clear();
    for (auto& [id, widget] : children_) gtk_stack_remove(stack_.gobj(), widget);
}

std::optional<std::string> WebBrowserContainerView::currentTabID() const {
    if (pane_ == Pane::primary) return context_.appState.selectedTabID().get();
    return context_.appState.secondaryTabID().get();
}

WebKitWebView* WebBrowserContainerView::shownWebView() const {
    GtkWidget* child = gtk_stack_get_visible_child(const_cast<GtkStack*>(stack_.gobj()));
    return child && WEBKIT_IS_WEB_VIEW(child) ? WEBKIT_WEB_VIEW(child) : nullptr;
}

bool WebBrowserContainerView::showsPlaceholder() const { return stack_.get_visible_child_name() == placeholderPage; }

void WebBrowserContainerView::refresh() {
    const auto current = currentTabID();
    if (!current) {
        stack_.set_visible_child(placeholderPage);
        spinner_.set_visible(false);
        spinner_.stop();
        return;
    }
    syncWebViews(*current);
    auto it = children_.find(*current);
    if (it != children_.end())
        gtk_stack_set_visible_child(stack_.gobj(), it->second);
    else
        stack_.set_visible_child(blankPage);  // a hidden service still selected: nothing to show
    const bool loading = it != children_.end() && store_.isTabLoading(*current, pane_);
    spinner_.set_visible(loading);
    loading ? spinner_.start() : spinner_.stop();
}

// Every visible tab of this pane has its web view here. The shown tab's view is made at
// once; the others follow one per frame, so the window and the shown page come first.
void WebBrowserContainerView::syncWebViews(const std::string& current) {
    std::map<std::string, GtkWidget*> wanted;
    bool morePending = false;
    for (const auto& tab : visibleTabs()) {
        if (tab.id == current || store_.existingWebView(tab.id, pane_))
            wanted[tab.id] = GTK_WIDGET(store_.webView(tab, pane_));
        else
            morePending = true;
    }
    for (auto& [id, widget] : children_)
        if (wanted[id] != widget) gtk_stack_remove(stack_.gobj(), widget);
    for (auto& [id, widget] : wanted)
        if (widget && children_[id] != widget) gtk_stack_add_named(stack_.gobj(), widget, nullptr);
    std::erase_if(wanted, [](const auto& entry) { return entry.second == nullptr; });
    children_ = std::move(wanted);
    if (morePending && !creating_.active()) creating_ = context_.queue.after(oneFrame, [this] { createNextWebView(); });
}

void WebBrowserContainerView::createNextWebView() {
    creating_.reset();
    for (const auto& tab : visibleTabs()) {
        if (store_.existingWebView(tab.id, pane_)) continue;
        store_.webView(tab, pane_);
        break;
    }
    refresh();
}

std::vector<AITab> WebBrowserContainerView::visibleTabs() const {
    std::vector<AITab> tabs;
    const auto& hidden = context_.appState.hiddenAITabIDs().get();
    for (const auto& tab : builtInTabs())
        if (!hidden.contains(tab.id)) tabs.push_back(tab);
    for (const auto& tag : context_.customTabManager.customTabs().get()) tabs.push_back(tabRecord(tag));
    return tabs;
}

void WebBrowserContainerView::refreshOverlays() {
    toast_.setMessage(store_.downloadToastMessage().get());
    reveal(toastRevealer_, store_.showDownloadToast().get());
    reveal(tipRevealer_, store_.showFileDropTip().get());
}

void WebBrowserContainerView::retitle() {
    const auto language = context_.localization.language();
    placeholderLabel_.set_text(placeholderText.in(language));
    tip_.setLanguage(language);
    toast_.setCloseLabel(closeText.in(language));
}

}  // namespace corvina
