#include "panels/CustomTagsForm.hpp"

#include "widgets/Accessibility.hpp"

namespace corvina {

namespace {

constexpr LocalizedText nameText{"Tag Name", "標籤名稱", "标签名称"};
constexpr LocalizedText flagsText{"Tag Attributes", "標籤屬性", "标签属性"};
constexpr LocalizedText urlText{"URL", "網址", "网址"};
constexpr LocalizedText saveText{"Save", "儲存", "保存"};
constexpr LocalizedText sharedSignInText{"Sign-in: Shared with other services", "登入：與其他服務共用",
                                         "登录：与其他服务共用"};
constexpr LocalizedText separateSignInText{"Sign-in: Separate for this tag", "登入：此標籤獨立", "登录：此标签独立"};

}  // namespace

CustomTagsForm::CustomTagsForm(std::function<void()> onSave, std::function<void()> onCancel)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 12), onSave_(std::move(onSave)) {
    add_css_class("tags-form");
    url_.set_placeholder_text("https://");
    for (auto* field : {&name_, &url_}) {
        field->add_css_class("tags-field");
        field->set_has_frame(false);
        connections_ += field->signal_changed().connect([this] { refreshSave(); });
        // Enter in a field saves, as the Save button would.
        connections_ += field->signal_activate().connect([this] {
            if (save_.get_sensitive()) onSave_();
        });
    }
    append(group(nameLabel_, name_));
    buildFlags();
    append(group(flagsLabel_, flagsRow_));
    append(group(urlLabel_, url_));
    buildSignIn();
    closeOnEscape(*this, onCancel);
    buildButtons(std::move(onCancel));
    refreshSave();
}

Gtk::Box& CustomTagsForm::group(Gtk::Label& label, Gtk::Widget& control) {
    auto* box = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 4);
    label.add_css_class("tags-form-label");
    label.set_xalign(0);
    box->append(label);
    box->append(control);
    return *box;
}

void CustomTagsForm::buildFlags() {
    for (const auto& flag : tabAttributeFlags()) {
        flagBoxes_.push_back(Gtk::make_managed<Gtk::CheckButton>());
        auto& box = *flagBoxes_.back();
        box.add_css_class("tags-flag");
        // Each box owns its bit alone; the other bits stay as they are.
        connections_ += box.signal_toggled().connect([this, &box, bit = flag.bit] {
            box.get_active() ? attributes_.insert(bit) : attributes_.remove(bit);
        });
        flagsRow_.append(box);
    }
}

// A tag that signs in apart has a session of its own, and so a proxy choice of its own.
void CustomTagsForm::buildSignIn() {
    separateSignIn_.set_group(sharedSignIn_);
    sharedSignIn_.set_active(true);
    for (auto* box : {&sharedSignIn_, &separateSignIn_}) {
        box->add_css_class("tags-flag");
        signIn_.append(*box);
    }
    proxy_.set_margin_top(4);
    proxy_.set_visible(false);
    signIn_.append(proxy_);
    connections_ += separateSignIn_.signal_toggled().connect(
        [this] { proxy_.set_visible(separateSignIn_.get_active()); });
    append(signIn_);
}

void CustomTagsForm::buildButtons(std::function<void()> onCancel) {
    buttons_.set_homogeneous(true);
    cancel_.add_css_class("tags-cancel");
    save_.add_css_class("tags-save");
    connections_ += cancel_.signal_clicked().connect(std::move(onCancel));
    connections_ += save_.signal_clicked().connect([this] { onSave_(); });
    buttons_.append(cancel_);
    buttons_.append(save_);
    append(buttons_);
}

std::optional<CustomTagsFields> CustomTagsForm::fields() {
    CustomTagsFields fields{name_.get_text(), url_.get_text(), attributes_, separateSignIn_.get_active(), {}};
    if (!fields.separateSignIn) return fields;
    const auto proxy = proxy_.chosen();
    if (!proxy) return std::nullopt;
    fields.proxy = *proxy;
    return fields;
}

void CustomTagsForm::setFields(const CustomTagsFields& fields) {
    name_.set_text(fields.name);
    (fields.separateSignIn ? separateSignIn_ : sharedSignIn_).set_active(true);
    proxy_.show(fields.proxy);
    url_.set_text(fields.url);
    attributes_ = fields.attributes;
    const auto& flags = tabAttributeFlags();
    for (std::size_t i = 0; i < flags.size(); ++i) flagBoxes_[i]->set_active(fields.attributes.contains(flags[i].bit));
}

void CustomTagsForm::refreshSave() { save_.set_sensitive(!name_.get_text().empty() && !url_.get_text().empty()); }

void CustomTagsForm::retitle(AppLanguage language) {
    nameLabel_.set_text(nameText.in(language));
    flagsLabel_.set_text(flagsText.in(language));
    urlLabel_.set_text(urlText.in(language));
    setAccessibleLabel(name_, nameText.in(language));
    setAccessibleLabel(url_, urlText.in(language));
    const auto& flags = tabAttributeFlags();
    for (std::size_t i = 0; i < flags.size(); ++i) {
        flagBoxes_[i]->set_label(flags[i].label.in(language));
        setAccessibleLabel(*flagBoxes_[i], flags[i].label.in(language));
    }
    sharedSignIn_.set_label(sharedSignInText.in(language));
    separateSignIn_.set_label(separateSignInText.in(language));
    proxy_.retitle(language);
    cancel_.set_label(cancelText.in(language));
    save_.set_label(saveText.in(language));
}

}  // namespace corvina
