#include "panels/CustomTagsForm.hpp"

#include <gtkmm/signallistitemfactory.h>
#include <gtkmm/stringobject.h>

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

namespace {

// The chosen text wraps in the narrow card rather than widen it; the list shows it on one line.
Glib::RefPtr<Gtk::SignalListItemFactory> choiceLabels(bool wrap) {
    auto factory = Gtk::SignalListItemFactory::create();
    factory->signal_setup().connect([wrap](const Glib::RefPtr<Gtk::ListItem>& item) {
        auto* label = Gtk::make_managed<Gtk::Label>();
        label->set_xalign(0);
        if (wrap) {
            label->set_wrap(true);
            label->set_max_width_chars(22);
        }
        item->set_child(*label);
    });
    factory->signal_bind().connect([](const Glib::RefPtr<Gtk::ListItem>& item) {
        auto text = std::dynamic_pointer_cast<Gtk::StringObject>(item->get_item());
        if (auto* label = dynamic_cast<Gtk::Label*>(item->get_child()); label && text) label->set_text(text->get_string());
    });
    return factory;
}

}  // namespace

// A tag that signs in apart has a session of its own, and so a proxy choice of its own.
void CustomTagsForm::buildSignIn() {
    signInNames_ = Gtk::StringList::create({"", ""});
    signIn_.set_model(signInNames_);
    signIn_.set_factory(choiceLabels(true));
    signIn_.set_list_factory(choiceLabels(false));
    signIn_.add_css_class("tags-sign-in");
    proxy_.set_margin_top(4);
    proxy_.set_visible(false);
    // Named by its choice, which says what it is about.
    connections_ += signIn_.property_selected().signal_changed().connect([this] {
        proxy_.set_visible(signIn_.get_selected() == 1);
        setAccessibleLabel(signIn_, signInNames_->get_string(signIn_.get_selected()));
    });
    auto* box = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 8);
    box->append(signIn_);
    box->append(proxy_);
    append(*box);
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
    CustomTagsFields fields{name_.get_text(), url_.get_text(), attributes_, signIn_.get_selected() == 1, {}};
    if (!fields.separateSignIn) return fields;
    const auto proxy = proxy_.chosen();
    if (!proxy) return std::nullopt;
    fields.proxy = *proxy;
    return fields;
}

void CustomTagsForm::setFields(const CustomTagsFields& fields) {
    name_.set_text(fields.name);
    signIn_.set_selected(fields.separateSignIn ? 1 : 0);
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
    const auto chosen = signIn_.get_selected();
    signInNames_->splice(0, 2, {sharedSignInText.in(language), separateSignInText.in(language)});
    signIn_.set_selected(chosen);
    proxy_.retitle(language);
    cancel_.set_label(cancelText.in(language));
    save_.set_label(saveText.in(language));
}

}  // namespace corvina
