#include "ui/PromptBlanksForm.hpp"

#include <map>
#include <utility>

#include <gtkmm/eventcontrollerkey.h>
#include <gtkmm/stringlist.h>

#include "app/ClipboardManager.hpp"
#include "app/LocalizationManager.hpp"
#include "platform/LocalDate.hpp"
#include "widgets/Accessibility.hpp"

namespace corvina {

namespace {

constexpr LocalizedText clipboardText{"Clipboard", "剪貼板", "剪贴板"};

// A clipboard entry as a list shows it: its start on one line.
Glib::ustring shortened(const std::string& text) {
    Glib::ustring line(text.substr(0, text.find('\n')));
    return line.size() > 60 ? line.substr(0, 60) + "…" : line;
}

}  // namespace

PromptBlanksForm::PromptBlanksForm(AppContext& context, Filled filled, std::function<void()> cancelled)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 8), context_(context), filled_(std::move(filled)),
      cancelled_(std::move(cancelled)) {
    add_css_class("prompt-blanks");
    title_.set_halign(Gtk::Align::START);
    title_.add_css_class("heading");
    append(title_);
    grid_.set_row_spacing(6);
    grid_.set_column_spacing(10);
    append(grid_);
    cancel_.signal_clicked().connect([this] {
        close();
        cancelled_();
    });
    fill_.add_css_class("suggested-action");
    fill_.signal_clicked().connect([this] { fill(); });
    buttons_.set_halign(Gtk::Align::END);
    buttons_.append(cancel_);
    buttons_.append(fill_);
    append(buttons_);
    // Enter fills from any row, a list's too; Escape leaves the prompt unused.
    auto keys = Gtk::EventControllerKey::create();
    keys->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
    keys->signal_key_pressed().connect(
        [this](guint key, guint, Gdk::ModifierType) {
            if (key == GDK_KEY_Return || key == GDK_KEY_KP_Enter) {
                fill();
                return true;
            }
            if (key == GDK_KEY_Escape) {
                close();
                cancelled_();
                return true;
            }
            return false;
        },
        false);
    add_controller(keys);
    connections_ += signal_map().connect([this] {
        if (std::exchange(focusWhenMapped_, false)) focusFirstRow();
    });
    connections_ += context.localization.currentLanguage().observe([this] { retitle(); });
    retitle();
    set_visible(false);
}

void PromptBlanksForm::retitle() {
    const auto language = context_.localization.language();
    setAccessibleLabel(*this, formName.in(language));
    fill_.set_label(fillText.in(language));
    cancel_.set_label(cancelText.in(language));
}

void PromptBlanksForm::ask(const Prompt& prompt) {
    close();
    prompt_ = prompt;
    for (const auto& blank : blanksOf(prompt.text))
        if (blank.kind != PromptBlank::Kind::date) addRow(blank);
    if (rows_.empty()) {
        fill();
        return;
    }
    title_.set_text(prompt.title);
    set_visible(true);
    focusWhenMapped_ = !get_mapped();
    if (!focusWhenMapped_) focusFirstRow();
}

void PromptBlanksForm::focusFirstRow() {
    if (rows_.empty()) return;
    rows_.front()->usesChoices ? rows_.front()->choices.grab_focus() : rows_.front()->entry.grab_focus();
}

void PromptBlanksForm::addRow(const PromptBlank& blank) {
    auto row = std::make_unique<Row>();
    row->blank = blank;
    const bool clipboard = blank.kind == PromptBlank::Kind::clipboard;
    row->label.set_text(clipboard ? clipboardText.in(context_.localization.language()) : blank.name);
    row->label.set_halign(Gtk::Align::END);
    if (blank.kind == PromptBlank::Kind::clipboard) row->values = clipboardChoices(context_.clipboardManager.items().get());
    else if (blank.kind == PromptBlank::Kind::choice) row->values = blank.choices;
    row->usesChoices = !row->values.empty();
    const int line = static_cast<int>(rows_.size());
    grid_.attach(row->label, 0, line);
    if (row->usesChoices) {
        std::vector<Glib::ustring> shown;
        for (const auto& value : row->values) shown.push_back(shortened(value));
        row->choices.set_model(Gtk::StringList::create(shown));
        row->choices.set_hexpand(true);
        nameAfter(row->choices, row->label);
        grid_.attach(row->choices, 1, line);
    } else {
        row->entry.set_text(blank.defaultValue);
        row->entry.set_hexpand(true);
        nameAfter(row->entry, row->label);
        grid_.attach(row->entry, 1, line);
    }
    rows_.push_back(std::move(row));
}

void PromptBlanksForm::close() {
    for (auto& row : rows_) {
        grid_.remove(row->label);
        grid_.remove(row->usesChoices ? static_cast<Gtk::Widget&>(row->choices) : row->entry);
    }
    rows_.clear();
    focusWhenMapped_ = false;
    set_visible(false);
}

void PromptBlanksForm::fill() {
    std::map<std::string, std::string> values{{"date", dateValue(localToday())}};
    for (const auto& row : rows_) {
        const auto at = row->choices.get_selected();
        values[row->blank.name] = row->usesChoices ? (at < row->values.size() ? row->values[at] : "")
                                                   : std::string(row->entry.get_text());
    }
    const Prompt prompt = prompt_;
    close();
    filled_(fillBlanks(prompt.text, values), prompt.services);
}

}  // namespace corvina
