#include "ui/PromptPicker.hpp"

#include <algorithm>

#include <gtkmm/adjustment.h>

#include "app/LocalizationManager.hpp"
#include "app/PromptLibrary.hpp"
#include "widgets/Accessibility.hpp"

namespace corvina {

namespace {

std::string firstLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    return line.size() > 120 ? line.substr(0, 120) : line;
}

}  // namespace

PromptPicker::PromptPicker(AppContext& context, std::function<void(const Prompt&)> picked)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 0), context_(context), picked_(std::move(picked)) {
    add_css_class("prompt-picker");
    list_.set_selection_mode(Gtk::SelectionMode::SINGLE);
    list_.set_activate_on_single_click(true);
    list_.signal_row_activated().connect([this](Gtk::ListBoxRow* row) {
        list_.select_row(*row);
        pickSelected();
    });
    scroller_.set_child(list_);
    scroller_.set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
    scroller_.set_propagate_natural_height(true);
    scroller_.set_max_content_height(220);
    append(scroller_);
    none_.add_css_class("dim-label");
    none_.set_halign(Gtk::Align::START);
    append(none_);
    const auto retitle = [this] {
        const auto language = context_.localization.language();
        setAccessibleLabel(list_, listName.in(language));
        none_.set_text(noneText.in(language));
    };
    connections_ += context.localization.currentLanguage().observe(retitle);
    retitle();
    set_visible(false);
}

void PromptPicker::showMatches(const std::string& query) {
    shown_.clear();
    for (const auto* entry : context_.prompts.matching(query)) {
        if (shown_.size() == maxRows) break;
        shown_.push_back(entry->prompt);
    }
    matchRowCount(shown_.size());
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        rows_[i].title->set_text(shown_[i].title);
        rows_[i].text->set_text(firstLine(shown_[i].text));
        setAccessibleLabel(*rows_[i].row, shown_[i].title);
    }
    if (!rows_.empty()) list_.select_row(*rows_.front().row);
    scroller_.get_vadjustment()->set_value(0);
    scroller_.set_visible(!shown_.empty());
    none_.set_visible(shown_.empty());
    set_visible(true);
}

void PromptPicker::matchRowCount(std::size_t count) {
    while (rows_.size() > count) {
        list_.remove(*rows_.back().row);
        rows_.pop_back();
    }
    while (rows_.size() < count) {
        auto* box = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 2);
        auto* title = Gtk::make_managed<Gtk::Label>();
        title->set_halign(Gtk::Align::START);
        title->add_css_class("heading");
        auto* text = Gtk::make_managed<Gtk::Label>();
        text->set_halign(Gtk::Align::START);
        text->set_ellipsize(Pango::EllipsizeMode::END);
        text->add_css_class("dim-label");
        box->append(*title);
        box->append(*text);
        auto* row = Gtk::make_managed<Gtk::ListBoxRow>();
        row->set_child(*box);
        list_.append(*row);
        rows_.push_back({row, title, text});
    }
}

void PromptPicker::close() {
    set_visible(false);
    shown_.clear();
}

void PromptPicker::move(int step) {
    if (shown_.empty()) return;
    const auto* selected = list_.get_selected_row();
    const int at = selected ? selected->get_index() + step : 0;
    if (auto* row = list_.get_row_at_index(std::clamp(at, 0, static_cast<int>(shown_.size()) - 1))) {
        list_.select_row(*row);
        // Keeps the selection in sight as it moves past the visible rows.
        graphene_rect_t bounds;
        if (gtk_widget_compute_bounds(GTK_WIDGET(row->gobj()), GTK_WIDGET(list_.gobj()), &bounds))
            scroller_.get_vadjustment()->clamp_page(bounds.origin.y, bounds.origin.y + bounds.size.height);
    }
}

void PromptPicker::pickSelected() {
    const auto* selected = list_.get_selected_row();
    if (!selected) return;
    const Prompt prompt = shown_.at(static_cast<std::size_t>(selected->get_index()));
    close();
    picked_(prompt);
}

}  // namespace corvina
