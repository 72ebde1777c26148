#include "panels/PromptEditor.hpp"

#include <algorithm>

#include "app/AppState.hpp"
#include "app/LocalizationManager.hpp"
#include "panels/CustomTagsForm.hpp"
#include "widgets/Accessibility.hpp"

namespace corvina {

PromptEditor::PromptEditor(AppContext& context, std::function<void(const Prompt&)> onSave,
                           std::function<void()> onCancel)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 10), context_(context) {
    add_css_class("tags-delete-card");
    add_css_class("prompt-editor");
    set_size_request(260, -1);
    heading_.add_css_class("tags-card-title");
    append(heading_);
    append(title_);
    text_.set_wrap_mode(Gtk::WrapMode::WORD_CHAR);
    text_.set_accepts_tab(false);
    text_.add_css_class("prompt-editor-text");
    textScroller_.set_child(text_);
    textScroller_.set_min_content_height(120);
    textScroller_.set_max_content_height(220);
    textScroller_.set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
    textScroller_.add_css_class("frame");
    append(textScroller_);
    servicesLabel_.set_xalign(0);
    servicesLabel_.add_css_class("dim-label");
    append(servicesLabel_);
    // A list of every service is taller than the window: it scrolls, Save stays in reach.
    servicesScroller_.set_child(services_);
    servicesScroller_.set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
    servicesScroller_.set_propagate_natural_height(true);
    servicesScroller_.set_min_content_height(60);
    servicesScroller_.set_vexpand(true);
    append(servicesScroller_);
    buttons_.set_homogeneous(true);
    cancel_.add_css_class("tags-cancel");
    save_.add_css_class("tags-save");
    connections_ += cancel_.signal_clicked().connect(std::move(onCancel));
    connections_ += save_.signal_clicked().connect([this, onSave = std::move(onSave)] { onSave(edited()); });
    connections_ += title_.signal_changed().connect([this] {
        save_.set_sensitive(std::string(title_.get_text()).find_first_not_of(" \t") != std::string::npos);
    });
    buttons_.append(cancel_);
    buttons_.append(save_);
    append(buttons_);
    connections_ += context.localization.currentLanguage().observe([this] { retitle(); });
    retitle();
}

void PromptEditor::start(const Prompt& prompt, bool adding) {
    adding_ = adding;
    title_.set_text(prompt.title);
    text_.get_buffer()->set_text(prompt.text);
    for (auto& [id, check] : serviceChecks_) services_.remove(*check);
    serviceChecks_.clear();
    for (const auto& tab : context_.appState.visibleTabs()) {
        auto check = std::make_unique<Gtk::CheckButton>(tab.displayName(context_.localization.language()));
        check->set_active(std::find(prompt.services.begin(), prompt.services.end(), tab.id) != prompt.services.end());
        services_.append(*check);
        serviceChecks_.emplace_back(tab.id, std::move(check));
    }
    save_.set_sensitive(!prompt.title.empty());
    retitle();
    title_.grab_focus();
}

Prompt PromptEditor::edited() const {
    Prompt prompt{std::string(title_.get_text()), std::string(text_.get_buffer()->get_text()), {}};
    for (const auto& [id, check] : serviceChecks_)
        if (check->get_active()) prompt.services.push_back(id);
    return prompt;
}

void PromptEditor::retitle() {
    const auto language = context_.localization.language();
    heading_.set_text((adding_ ? addTitle : editTitle).in(language));
    title_.set_placeholder_text(titleField.in(language));
    setAccessibleLabel(title_, titleField.in(language));
    setAccessibleLabel(text_, textField.in(language));
    servicesLabel_.set_text(servicesText.in(language));
    cancel_.set_label(CustomTagsForm::cancelText.in(language));
    save_.set_label(saveText.in(language));
}

}  // namespace corvina
