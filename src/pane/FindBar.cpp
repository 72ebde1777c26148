#include "pane/FindBar.hpp"

#include <gdk/gdkkeysyms.h>

#include "widgets/Accessibility.hpp"
#include "widgets/Icons.hpp"

namespace corvina {

namespace {

constexpr LocalizedText placeholderText{"Find in page", "在頁面中尋找", "在页面中查找"};
constexpr LocalizedText noMatchesText{"No matches", "沒有符合項目", "无匹配项"};
constexpr LocalizedText previousText{"Previous Match", "上一個符合項目", "上一个匹配项"};
constexpr LocalizedText nextText{"Next Match", "下一個符合項目", "下一个匹配项"};
constexpr LocalizedText caseText{"Match Case", "區分大小寫", "区分大小写"};
constexpr LocalizedText closeText{"Close Find Bar", "關閉尋找列", "关闭查找栏"};

std::string matchText(unsigned current, unsigned total, AppLanguage language) {
    const auto n = std::to_string(current), of = std::to_string(total);
    switch (language) {
        case AppLanguage::zhTW: return "第 " + n + " 項，共 " + of + " 項";
        case AppLanguage::zhCN: return "第 " + n + " 项，共 " + of + " 项";
        case AppLanguage::en: break;
    }
    return n + " of " + of;
}

void name(Gtk::Widget& control, const LocalizedText& text, AppLanguage language) {
    control.set_tooltip_text(text.in(language));
    setAccessibleLabel(control, text.in(language));
}

}  // namespace

FindBar::FindBar() : Gtk::Box(Gtk::Orientation::HORIZONTAL, 4), keys_(Gtk::EventControllerKey::create()) {
    add_css_class("find-bar");
    set_visible(false);
    entry_.set_hexpand(true);
    count_.add_css_class("find-count");
    count_.add_css_class("dim-label");
    showSymbol(previousIcon_, "chevron.left", 11);
    showSymbol(nextIcon_, "chevron.right", 11);
    showSymbol(closeIcon_, "xmark", 10);
    previous_.set_child(previousIcon_);
    next_.set_child(nextIcon_);
    close_.set_child(closeIcon_);
    case_.set_label("Aa");
    for (Gtk::Widget* button : std::initializer_list<Gtk::Widget*>{&previous_, &next_, &case_, &close_})
        button->add_css_class("flat");
    append(entry_);
    append(count_);
    append(previous_);
    append(next_);
    append(case_);
    append(close_);

    connections_ += entry_.signal_search_changed().connect([this] { search(); });
    connections_ += entry_.signal_activate().connect([this] { next(); });
    connections_ += entry_.signal_next_match().connect([this] { next(); });
    connections_ += entry_.signal_previous_match().connect([this] { previous(); });
    connections_ += entry_.signal_stop_search().connect([this] { close(); });
    connections_ += previous_.signal_clicked().connect([this] { previous(); });
    connections_ += next_.signal_clicked().connect([this] { next(); });
    connections_ += case_.signal_toggled().connect([this] { search(); });
    connections_ += close_.signal_clicked().connect([this] { close(); });
    // Shift+Enter steps back, as in browsers.
    keys_->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
    connections_ += keys_->signal_key_pressed().connect(
        [this](guint key, guint, Gdk::ModifierType state) {
            const bool enter = key == GDK_KEY_Return || key == GDK_KEY_KP_Enter;
            if (!enter || (state & Gdk::ModifierType::SHIFT_MASK) != Gdk::ModifierType::SHIFT_MASK) return false;
            previous();
            return true;
        },
        false);
    entry_.add_controller(keys_);
    setLanguage(language_);
}

FindBar::~FindBar() { unwatch(); }

void FindBar::open() {
    const bool wasOpen = isOpen();
    set_visible(true);
    entry_.grab_focus();
    entry_.select_region(0, -1);
    if (!wasOpen) search();
}

void FindBar::close() {
    if (auto* controller = finder()) webkit_find_controller_search_finish(controller);
    set_visible(false);
    matches_ = current_ = 0;
    showCount();
    if (page_) gtk_widget_grab_focus(GTK_WIDGET(page_));
}

void FindBar::setPage(WebKitWebView* page) {
    if (page == page_) return;
    if (auto* controller = finder()) webkit_find_controller_search_finish(controller);
    unwatch();
    if (page) watch(page);
    if (isOpen()) search();
}

void FindBar::setLanguage(AppLanguage language) {
    language_ = language;
    // The toolkit's search entry is no entry: its property is set directly.
    g_object_set(entry_.gobj(), "placeholder-text", placeholderText.in(language).c_str(), nullptr);
    setAccessibleLabel(entry_, placeholderText.in(language));
    name(previous_, previousText, language);
    name(next_, nextText, language);
    name(case_, caseText, language);
    name(close_, closeText, language);
    showCount();
}

WebKitFindController* FindBar::finder() const { return page_ ? webkit_web_view_get_find_controller(page_) : nullptr; }

uint32_t FindBar::options() const {
    uint32_t options = WEBKIT_FIND_OPTIONS_WRAP_AROUND;
    if (!case_.get_active()) options |= WEBKIT_FIND_OPTIONS_CASE_INSENSITIVE;
    return options;
}

void FindBar::search() {
    auto* controller = finder();
    const std::string text = entry_.get_text();
    matches_ = current_ = 0;
    if (!controller || !isOpen() || text.empty()) {
        if (controller) webkit_find_controller_search_finish(controller);
        return showCount();
    }
    webkit_find_controller_count_matches(controller, text.c_str(), options(), maxMatches);
    webkit_find_controller_search(controller, text.c_str(), options(), maxMatches);
}

void FindBar::next() { step(true); }
void FindBar::previous() { step(false); }

void FindBar::step(bool forward) {
    auto* controller = finder();
    if (!controller || matches_ == 0) return;
    forward ? webkit_find_controller_search_next(controller) : webkit_find_controller_search_previous(controller);
    current_ = forward ? current_ % matches_ + 1 : (current_ + matches_ - 2) % matches_ + 1;
    showCount();
}

void FindBar::showCount() {
    const bool searched = isOpen() && !entry_.get_text().empty();
    count_.set_visible(searched);
    count_.set_text(matches_ && current_ ? matchText(current_, matches_, language_) : noMatchesText.in(language_));
}

void FindBar::watch(WebKitWebView* page) {
    page_ = WEBKIT_WEB_VIEW(g_object_ref(page));
    auto* controller = finder();
    // A new search lands on the first match; steps keep their own place.
    found_ = SignalConnection(
        controller, "found-text", +[](WebKitFindController*, guint, gpointer self) {
            auto* bar = static_cast<FindBar*>(self);
            if (bar->current_ == 0) bar->current_ = 1;
            bar->showCount();
        },
        this);
    counted_ = SignalConnection(
        controller, "counted-matches", +[](WebKitFindController*, guint count, gpointer self) {
            auto* bar = static_cast<FindBar*>(self);
            bar->matches_ = count;
            bar->showCount();
        },
        this);
    failed_ = SignalConnection(
        controller, "failed-to-find-text", +[](WebKitFindController*, gpointer self) {
            auto* bar = static_cast<FindBar*>(self);
            bar->matches_ = bar->current_ = 0;
            bar->showCount();
        },
        this);
}

void FindBar::unwatch() {
    if (!page_) return;
    found_.disconnect();
    failed_.disconnect();
    counted_.disconnect();
    g_clear_object(&page_);
}

}  // namespace corvina
