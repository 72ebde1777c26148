#include "ui/PaneHeader.hpp"

#include <algorithm>

#include "app/AppState.hpp"
#include "app/CustomTabManager.hpp"
#include "app/LocalizationManager.hpp"
#include "web/AnswerActivity.hpp"
#include "web/WebViewStore.hpp"
#include "widgets/Accessibility.hpp"
#include "widgets/Icons.hpp"

namespace corvina {

PaneHeader::PaneHeader(AppContext& context, Pane pane)
    : Gtk::Box(Gtk::Orientation::HORIZONTAL, 6), context_(context), pane_(pane), names_(Gtk::StringList::create({})),
      doubleClick_(Gtk::GestureClick::create()) {
    add_css_class("pane-header");
    icon_.set_pixel_size(16);
    spacer_.set_hexpand(true);
    answering_.add_css_class("answering-mark");
    ready_.add_css_class("answer-ready-dot");
    ready_.set_valign(Gtk::Align::CENTER);
    chooser_.set_model(names_);
    chooser_.add_css_class("flat");
    chooser_.add_css_class("pane-chooser");
    enlarge_.add_css_class("flat");
    enlarge_.add_css_class("pane-enlarge");
    enlarge_.signal_clicked().connect([this] {
        auto& panes = context_.appState.panes();
        panes.enlargedPane() == pane_ ? panes.restore() : panes.enlarge(pane_);
    });
    for (Gtk::Widget* child : std::initializer_list<Gtk::Widget*>{&icon_, &chooser_, &answering_, &ready_, &spacer_, &enlarge_})
        append(*child);

    doubleClick_->signal_pressed().connect([this](int presses, double, double) {
        if (presses == 2) context_.appState.panes().toggleEnlarged();
    });
    add_controller(doubleClick_);
    // Pressed first, the strip makes its pane the active one.
    doubleClick_->signal_begin().connect([this](Gdk::EventSequence*) { context_.appState.panes().setActive(pane_); });
    chosenConnection_ = chooser_.property_selected().signal_changed().connect([this] { chosen(); });

    auto& state = context.appState;
    connections_ += state.panes().observe([this] { refresh(); });
    connections_ += state.hiddenAITabIDs().observe([this] { rebuildChoices(); });
    connections_ += context.customTabManager.customTabs().observe([this] { rebuildChoices(); });
    connections_ += context.localization.currentLanguage().observe([this] { rebuildChoices(); });
    connections_ += context.answerActivity.services().observe([this] { refresh(); });
    rebuildChoices();
}

void PaneHeader::rebuildChoices() {
    const auto language = context_.localization.language();
    std::vector<Glib::ustring> names;
    ids_.clear();
    for (const auto& tab : context_.appState.visibleTabs()) {
        ids_.push_back(tab.id);
        names.push_back(context_.webViewStore.serviceName(tab.id));
    }
    names.push_back(nothingText.in(language));
    {
        ScopedBlock block(chosenConnection_);
        names_->splice(0, names_->get_n_items(), names);
    }
    setAccessibleLabel(chooser_, chooserText.in(language, std::to_string(pane_ + 1)));
    refresh();
}

void PaneHeader::refresh() {
    const auto& panes = context_.appState.panes();
    const auto language = context_.localization.language();
    const auto id = panes.serviceIn(pane_);
    const auto tabs = context_.appState.visibleTabs();
    const auto tab = std::find_if(tabs.begin(), tabs.end(), [&id](const AITab& t) { return t.id == id; });
    icon_.set_visible(tab != tabs.end());
    if (tab != tabs.end()) showServiceIcon(icon_, tab->icon, tab->iconIsSymbol() ? IconKind::symbol : IconKind::serviceImage, 16);
    const auto activity = id ? context_.answerActivity.of(*id) : ServiceActivity{};
    answering_.set_visible(activity.answering);
    ready_.set_visible(activity.answerReady && !activity.answering);

    const auto row = id ? std::find(ids_.begin(), ids_.end(), *id) - ids_.begin() : static_cast<long>(ids_.size());
    if (chooser_.get_selected() != static_cast<guint>(row)) {
        ScopedBlock block(chosenConnection_);
        chooser_.set_selected(static_cast<guint>(row));
    }
    const bool enlarged = panes.enlargedPane() == pane_;
    enlarge_.set_icon_name(enlarged ? "arrow.down.right.and.arrow.up.left-symbolic"
                                    : "arrow.up.left.and.arrow.down.right-symbolic");
    const auto action = (enlarged ? restoreText : enlargeText).in(language);
    enlarge_.set_tooltip_text(action);
    setAccessibleLabel(enlarge_, action);
    enlarged ? add_css_class("enlarged") : remove_css_class("enlarged");
}

void PaneHeader::chosen() {
    const auto row = chooser_.get_selected();
    auto& panes = context_.appState.panes();
    panes.show(pane_, row < ids_.size() ? std::optional(ids_[row]) : std::nullopt);
    panes.setActive(pane_);
}

}  // namespace corvina
