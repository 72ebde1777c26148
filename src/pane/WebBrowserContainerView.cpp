#include "pane/WebBrowserContainerView.hpp"

#include <algorithm>

#include "app/AITab.hpp"
#include "app/AppSettings.hpp"
#include "app/LocalizationManager.hpp"
#include "app/CustomTabManager.hpp"
#include "web/WebViewStore.hpp"
#include "widgets/Accessibility.hpp"

namespace corvina {

namespace {

constexpr Milliseconds oneFrame{16};
// Between the toast and the pane's sides when the pane is narrow.
constexpr int toastSideMargin = 12;
constexpr Milliseconds zoomShownFor{1500};
constexpr LocalizedText closeText{"Close", "關閉", "关闭"};
constexpr LocalizedText allowText{"Allow", "允許", "允许"};
constexpr LocalizedText denyText{"Deny", "拒絕", "拒绝"};

// Show animations are a little slower than hide animations.
void reveal(Gtk::Revealer& revealer, bool shown) {
    if (revealer.get_reveal_child() == shown) return;
    revealer.set_transition_duration(shown ? 350 : 300);
    revealer.set_reveal_child(shown);
}

}  // namespace

WebBrowserContainerView::WebBrowserContainerView(AppContext& context, Pane pane)
    : context_(context), store_(context.webViewStore), pane_(pane),
      toast_([this] { store_.downloads().dismissToast(); }),
      trouble_(
          [this] {
              if (auto* page = shownPage()) page->recover();
          },
          [this] {
              if (auto* page = shownPage()) page->trustCertificate();
          }),
      permissionBar_([this](bool allowed) {
          if (auto current = currentTabID()) store_.permissionRequests().answer(PageKey{*current, pane_}, allowed);
      }) {
    add_css_class("web-pane");
    set_overflow(Gtk::Overflow::HIDDEN);
    layers_.add(GTK_WIDGET(blank_.gobj()));

    placeholderIcon_.set_from_icon_name("plus.rectangle.on.rectangle-symbolic");
    placeholderIcon_.set_pixel_size(40);
    placeholderLabel_.add_css_class("placeholder-text");
    placeholder_.append(placeholderIcon_);
    placeholder_.append(placeholderLabel_);
    placeholder_.set_valign(Gtk::Align::CENTER);
    placeholder_.add_css_class("pane-placeholder");
    placeholder_.add_css_class("dim-label");
    layers_.add(GTK_WIDGET(placeholder_.gobj()));
    // The permission bar pushes the page down rather than cover the top of it.
    column_.append(permissionBar_);
    layers_.set_vexpand(true);
    column_.append(layers_);
    set_child(column_);

    spinner_.set_size_request(38, 38);
    spinner_.set_halign(Gtk::Align::CENTER);
    spinner_.set_valign(Gtk::Align::CENTER);
    spinner_.set_can_target(false);
    add_overlay(spinner_);

    toastRevealer_.set_transition_type(Gtk::RevealerTransitionType::SLIDE_DOWN);
    toastRevealer_.set_margin_top(60);
    toastRevealer_.set_margin_start(toastSideMargin);
    toastRevealer_.set_margin_end(toastSideMargin);
    toastRevealer_.set_child(toast_);
    announceOnlyWhileRevealed(toastRevealer_);
    add_overlay(toastRevealer_);
    signal_get_child_position().connect(
        [this](Gtk::Widget* child, Gdk::Rectangle& area) {
            if (child != &toastRevealer_) return false;
            area = toastArea();
            return true;
        },
        false);

    trouble_.set_visible(false);
    add_overlay(trouble_);

    permissionBar_.set_visible(false);

    findBar_.set_valign(Gtk::Align::START);
    findBar_.set_halign(Gtk::Align::END);
    add_overlay(findBar_);

    zoomRevealer_.set_transition_type(Gtk::RevealerTransitionType::CROSSFADE);
    zoomRevealer_.set_valign(Gtk::Align::END);
    zoomRevealer_.set_halign(Gtk::Align::CENTER);
    zoomRevealer_.set_can_target(false);
    zoomLabel_.add_css_class("zoom-level");
    zoomRevealer_.set_child(zoomLabel_);
    announceOnlyWhileRevealed(zoomRevealer_);
    add_overlay(zoomRevealer_);

    tipRevealer_.set_transition_type(Gtk::RevealerTransitionType::CROSSFADE);
    tipRevealer_.set_valign(Gtk::Align::CENTER);
    tipRevealer_.set_halign(Gtk::Align::CENTER);
    tipRevealer_.set_can_target(false);
    tipRevealer_.set_child(tip_);
    announceOnlyWhileRevealed(tipRevealer_);
    add_overlay(tipRevealer_);

    auto& state = context.appState;
    const auto refreshSlot = [this] { refresh(); };
    connections_ += state.selectedTabID().observe(refreshSlot);
    connections_ += state.secondaryTabID().observe(refreshSlot);
    connections_ += state.hiddenAITabIDs().observe(refreshSlot);
    connections_ += context.customTabManager.customTabs().observe(refreshSlot);
    connections_ += store_.observePages([this] {
        watched_ = nullptr;
        refresh();
    });
    connections_ += store_.sleepingTabIDs().observe(refreshSlot);
    connections_ += context.appSettings.loadServicesWhenOpened().observe(refreshSlot);
    connections_ += context.appSettings.pageZoom().levels().observe([this] { showZoomChange(); });
    const auto prepareSlot = [this] { prepareNext(); };
    connections_ += state.pointedTabID().observe(prepareSlot);
    connections_ += state.isSplitMode().observe(prepareSlot);
    connections_ += state.activePane().observe(prepareSlot);
    connections_ += store_.downloads().toastShown().observe([this] { refreshOverlays(); });
    connections_ += store_.downloads().toastMessage().observe([this] { refreshOverlays(); });
    connections_ += state.isWindowOutOfSight().observe([this] { layers_.setConcealed(context_.appState.isWindowOutOfSight()); });
    connections_ += context.localization.currentLanguage().observe([this] { retitle(); });
    connections_ += store_.permissionRequests().revision().observe([this] { refreshPageState(); });
    retitle();
    layers_.setConcealed(state.isWindowOutOfSight());
    refresh();
    refreshOverlays();
}

// The web views belong to their pages: take them out of this pane, never destroy them.
WebBrowserContainerView::~WebBrowserContainerView() {
    connections_.clear();
    pageWatch_.clear();
    for (auto& [id, widget] : children_) release(widget);
    layers_.remove(GTK_WIDGET(blank_.gobj()));
    layers_.remove(GTK_WIDGET(placeholder_.gobj()));
}

std::optional<std::string> WebBrowserContainerView::currentTabID() const {
    if (pane_ == Pane::primary) return context_.appState.selectedTabID().get();
    return context_.appState.secondaryTabID().get();
}

ServicePage* WebBrowserContainerView::shownPage() const {
    const auto current = currentTabID();
    return current ? store_.existingPage({*current, pane_}) : nullptr;
}

WebKitWebView* WebBrowserContainerView::shownWebView() const {
    GtkWidget* child = layers_.shown();
    return child && WEBKIT_IS_WEB_VIEW(child) ? WEBKIT_WEB_VIEW(child) : nullptr;
}

void WebBrowserContainerView::refresh() {
    const auto current = currentTabID();
    if (!current) {
        layers_.show(GTK_WIDGET(placeholder_.gobj()));
        watch(nullptr);
        findBar_.setPage(nullptr);
        spinner_.set_visible(false);
        spinner_.stop();
        refreshPageState();
        prepareNext();
        return;
    }
    syncWebViews(*current);
    auto* page = store_.existingPage({*current, pane_});
    // A page shown is no longer on its way to sleep, whatever it answers.
    if (page) page->keepAwake();
    watch(page);
    auto it = children_.find(*current);
    if (it != children_.end())
        layers_.show(it->second);
    else
        layers_.show(GTK_WIDGET(blank_.gobj()));  // a hidden service still selected: nothing to show
    findBar_.setPage(shownWebView());
    showZoomChange();
    refreshPageState();
    const bool loading = it != children_.end() && page && page->loading().get() && !trouble_.get_visible();
    spinner_.set_visible(loading);
    loading ? spinner_.start() : spinner_.stop();
    prepareNext();
}

// A click on a tab bar row selects into the active pane (the primary one outside split
// mode): that pane gets the pointed tab's page drawn in advance.
void WebBrowserContainerView::prepareNext() {
    const auto& state = context_.appState;
    const bool clickLandsHere = pane_ == Pane::primary
                                    ? !state.isSplitMode().get() || state.activePane().get() == Pane::primary
                                    : state.isSplitMode().get() && state.activePane().get() == Pane::secondary;
    const auto& pointed = state.pointedTabID().get();
    GtkWidget* next = nullptr;
    if (clickLandsHere && pointed && pointed != currentTabID())
        if (auto it = children_.find(*pointed); it != children_.end()) next = it->second;
    layers_.prepare(next);
}

// Every visible tab of this pane has its web view here. The shown tab's view is made at
// once; the others follow one per frame, so the window and the shown page come first.
// Under the memory budget a page is made only when its tab is shown, and a page asleep
// waits for that too.
void WebBrowserContainerView::syncWebViews(const std::string& current) {
    std::map<std::string, GtkWidget*> wanted;
    bool morePending = false;
    for (const auto& tab : context_.appState.visibleTabs()) {
        if (tab.id == current || store_.existingPage({tab.id, pane_}))
            wanted[tab.id] = GTK_WIDGET(store_.page(tab, pane_).view());
        else
            morePending = morePending || waitsForBackgroundLoad(tab.id);
    }
    // Views the store let go are still held here, so they can be taken out safely.
    for (auto& [id, widget] : children_)
        if (wanted[id] != widget) release(widget);
    for (auto& [id, widget] : wanted)
        if (widget && children_[id] != widget) layers_.add(GTK_WIDGET(g_object_ref(widget)));
    std::erase_if(wanted, [](const auto& entry) { return entry.second == nullptr; });
    children_ = std::move(wanted);
    if (morePending && !creating_.active()) creating_ = context_.queue.after(oneFrame, [this] { createNextWebView(); });
}

bool WebBrowserContainerView::waitsForBackgroundLoad(const std::string& tabID) const {
    const PageKey key{tabID, pane_};
    return !context_.appSettings.loadServicesWhenOpened().get() && !store_.existingPage(key) && !store_.isAsleep(key);
}

void WebBrowserContainerView::release(GtkWidget* widget) {
    layers_.remove(widget);
    g_object_unref(widget);
}

void WebBrowserContainerView::createNextWebView() {
    creating_.reset();
    for (const auto& tab : context_.appState.visibleTabs()) {
        if (!waitsForBackgroundLoad(tab.id)) continue;
        store_.page(tab, pane_);
        break;
    }
    refresh();
}

// The overlay would give the toast its natural width, one line of the whole message, and
// centre it: a long message ran past both sides of the pane. It gets its own width, or the
// pane's when that is narrower, and the height its wrapped message needs at that width.
Gdk::Rectangle WebBrowserContainerView::toastArea() const {
    int minimum = 0, natural = 0, ignored = 0;
    toastRevealer_.measure(Gtk::Orientation::HORIZONTAL, -1, minimum, natural, ignored, ignored);
    const int width = std::max(minimum, std::min(DownloadToast::width + 2 * toastSideMargin, get_width()));
    int height = 0;
    toastRevealer_.measure(Gtk::Orientation::VERTICAL, width, minimum, height, ignored, ignored);
    return {(get_width() - width) / 2, 0, width, height};
}

void WebBrowserContainerView::refreshOverlays() {
    toast_.setMessage(store_.downloads().toastMessage().get());
    reveal(toastRevealer_, store_.downloads().toastShown().get());
    reveal(tipRevealer_, watched_ && watched_->showsFileDropTip().get());
}

// The level shows for a moment when the shown tab's zoom changes, not when the pane
// switches to a tab with another zoom.
void WebBrowserContainerView::showZoomChange() {
    const auto current = currentTabID();
    if (!current) return;
    const double level = context_.appSettings.pageZoom().level(*current);
    const bool changed = shownZoom_ && shownZoom_->first == *current && shownZoom_->second != level;
    shownZoom_ = std::pair{*current, level};
    if (!changed) return;
    zoomLabel_.set_text(zoomPercentText(level));
    reveal(zoomRevealer_, true);
    zoomHide_ = context_.queue.after(zoomShownFor, [this] { reveal(zoomRevealer_, false); });
}

// The shown page's own state: its trouble covers it; its question sits above it.
void WebBrowserContainerView::refreshPageState() {
    const auto current = currentTabID();
    const auto language = context_.localization.language();
    const auto* page = shownPage();
    const auto trouble = page ? page->trouble().get() : std::nullopt;
    if (trouble) {
        trouble_.setTexts(troubleTitle(*trouble, store_.serviceName(*current), language),
                          troubleDetail(*trouble, language), troubleAction(*trouble, language));
        trouble_.setCertificate(trouble->certificate ? certificateText(*trouble->certificate, language) : "",
                                trustAction(*trouble, language));
    }
    trouble_.set_visible(trouble.has_value());
    if (trouble) {
        spinner_.set_visible(false);
        spinner_.stop();
    }
    const auto question = current && !trouble ? store_.permissionRequests().question(PageKey{*current, pane_})
                                              : std::nullopt;
    if (question)
        permissionBar_.setTexts(permissionRequestText(question->site, question->kinds, language),
                                allowText.in(language), denyText.in(language));
    permissionBar_.set_visible(question.has_value());
}

// The shown page's loading, trouble and drop tip reach the pane while it is shown.
void WebBrowserContainerView::watch(ServicePage* page) {
    if (page == watched_) return;
    watched_ = page;
    pageWatch_.clear();
    if (page) {
        pageWatch_ += page->loading().observe([this] { refresh(); });
        pageWatch_ += page->trouble().observe([this] { refreshPageState(); });
        pageWatch_ += page->showsFileDropTip().observe([this] { refreshOverlays(); });
    }
    refreshOverlays();
}

void WebBrowserContainerView::retitle() {
    const auto language = context_.localization.language();
    placeholderLabel_.set_text(placeholderText.in(language));
    tip_.setLanguage(language);
    toast_.setCloseLabel(closeText.in(language));
    findBar_.setLanguage(language);
    refreshPageState();
}

}  // namespace corvina
