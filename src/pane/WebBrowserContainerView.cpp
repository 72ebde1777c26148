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
          if (auto key = shownKey()) store_.permissionRequests().answer(*key, allowed);
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
    // A page ended leaves nothing of ours watching it.
    connections_ += store_.observePages([this] { watch(store_.existingPage(shownKey().value_or(PageKey{}))); });
    connections_ += context.appSettings.pageZoom().levels().observe([this] { showZoomChange(); });
    connections_ += state.pointedTabID().observe([this] { prepareNext(); });
    connections_ += store_.downloads().toastShown().observe([this] { refreshOverlays(); });
    connections_ += store_.downloads().toastMessage().observe([this] { refreshOverlays(); });
    connections_ += state.isWindowOutOfSight().observe([this] { layers_.setConcealed(context_.appState.isWindowOutOfSight()); });
    connections_ += context.localization.currentLanguage().observe([this] { retitle(); });
    connections_ += store_.permissionRequests().revision().observe([this] { refreshPageState(); });
    retitle();
    layers_.setConcealed(state.isWindowOutOfSight());
    refreshOverlays();
}

// The web views belong to their pages: take them out of this pane, never destroy them.
WebBrowserContainerView::~WebBrowserContainerView() {
    connections_.clear();
    pageWatch_.clear();
    for (auto& [key, widget] : children_) release(widget);
    layers_.remove(GTK_WIDGET(blank_.gobj()));
    layers_.remove(GTK_WIDGET(placeholder_.gobj()));
}

std::optional<std::string> WebBrowserContainerView::currentTabID() const {
    return context_.appState.panes().serviceIn(pane_);
}

std::optional<PageKey> WebBrowserContainerView::shownKey() const {
    const auto& panes = context_.appState.panes();
    const auto id = panes.serviceIn(pane_);
    return id ? std::optional(PageKey{*id, panes.copyShownIn(pane_)}) : std::nullopt;
}

ServicePage* WebBrowserContainerView::shownPage() const {
    const auto key = shownKey();
    return key ? store_.existingPage(*key) : nullptr;
}

void WebBrowserContainerView::letGoAllBut(const Pages& kept) {
    std::erase_if(children_, [&](const auto& entry) {
        const auto it = kept.find(entry.first);
        if (it != kept.end() && it->second == entry.second) return false;
        release(entry.second);
        return true;
    });
}

void WebBrowserContainerView::hold(Pages pages) {
    for (const auto& [key, widget] : pages)
        if (!children_.contains(key)) layers_.add(GTK_WIDGET(g_object_ref(widget)));
    children_ = std::move(pages);
    refresh();
}

WebKitWebView* WebBrowserContainerView::shownWebView() const {
    GtkWidget* child = layers_.shown();
    return child && WEBKIT_IS_WEB_VIEW(child) ? WEBKIT_WEB_VIEW(child) : nullptr;
}

void WebBrowserContainerView::refresh() {
    const auto key = shownKey();
    if (!key) {
        layers_.show(GTK_WIDGET(placeholder_.gobj()));
        watch(nullptr);
        findBar_.setPage(nullptr);
        spinner_.set_visible(false);
        spinner_.stop();
        refreshPageState();
        prepareNext();
        return;
    }
    auto* page = store_.existingPage(*key);
    // A page shown is no longer on its way to sleep, whatever it answers.
    if (page) page->keepAwake();
    if (page) page->setPaneWidth(width_);
    watch(page);
    auto it = children_.find(*key);
    if (it != children_.end())
        layers_.show(it->second);
    else
        layers_.show(GTK_WIDGET(blank_.gobj()));  // not placed here yet
    findBar_.setPage(shownWebView());
    showZoomChange();
    refreshPageState();
    const bool loading = it != children_.end() && page && page->loading().get() && !trouble_.get_visible();
    spinner_.set_visible(loading);
    loading ? spinner_.start() : spinner_.stop();
    prepareNext();
}

// A click on a tab bar row selects into the active pane: that pane gets the pointed tab's
// page drawn in advance.
void WebBrowserContainerView::prepareNext() {
    const auto& state = context_.appState;
    const bool clickLandsHere = state.panes().activePane() == pane_;
    const auto& pointed = state.pointedTabID().get();
    GtkWidget* next = nullptr;
    if (clickLandsHere && pointed && pointed != currentTabID())
        if (auto it = children_.find({*pointed, 0}); it != children_.end()) next = it->second;
    layers_.prepare(next);
}

// The page hears of a new width after the layout, not in the middle of it.
void WebBrowserContainerView::size_allocate_vfunc(int width, int height, int baseline) {
    Gtk::Overlay::size_allocate_vfunc(width, height, baseline);
    if (width == width_) return;
    width_ = width;
    widthChange_ = context_.queue.after(Milliseconds(0), [this] {
        if (auto* page = shownPage()) page->setPaneWidth(width_);
    });
}

void WebBrowserContainerView::release(GtkWidget* widget) {
    layers_.remove(widget);
    g_object_unref(widget);
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
    const auto key = shownKey();
    const auto question = key && !trouble ? store_.permissionRequests().question(*key) : std::nullopt;
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
    placeholderLabel_.set_text((pane_ == 1 ? secondPlaceholderText : placeholderText).in(language));
    tip_.setLanguage(language);
    toast_.setCloseLabel(closeText.in(language));
    findBar_.setLanguage(language);
    refreshPageState();
}

}  // namespace corvina
