#include "panels/CustomTagsDeleteCard.hpp"

#include "panels/CustomTagsForm.hpp"
#include "widgets/Icons.hpp"

namespace corvina {

namespace {

constexpr LocalizedText confirmText{"Confirm", "確認", "确认"};

}  // namespace

CustomTagsDeleteCard::CustomTagsDeleteCard(std::function<void()> onConfirm, std::function<void()> onCancel,
                                           LocalizedText title, LocalizedText message)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 16), titleText_(title), messageText_(message) {
    add_css_class("tags-delete-card");
    // Wide enough that a Chinese question, whose characters are twice as wide as the
    // label's estimate, is not broken every few characters.
    set_size_request(220, -1);
    showSymbol(warning_, "exclamationmark.triangle.fill", 24);
    warning_.add_css_class("tags-warning");
    title_.add_css_class("tags-card-title");
    message_.add_css_class("tags-card-message");
    message_.set_wrap(true);
    message_.set_max_width_chars(20);
    message_.set_justify(Gtk::Justification::CENTER);
    append(warning_);
    append(title_);
    append(message_);

    buttons_.set_homogeneous(true);
    cancel_.add_css_class("tags-cancel");
    confirm_.add_css_class("tags-confirm");
    connections_ += cancel_.signal_clicked().connect(std::move(onCancel));
    connections_ += confirm_.signal_clicked().connect(std::move(onConfirm));
    buttons_.append(cancel_);
    buttons_.append(confirm_);
    append(buttons_);
}

void CustomTagsDeleteCard::retitle(AppLanguage language) {
    title_.set_text(titleText_.in(language));
    message_.set_text(messageText_.in(language));
    cancel_.set_label(CustomTagsForm::cancelText.in(language));
    confirm_.set_label(confirmText.in(language));
}

}  // namespace corvina
