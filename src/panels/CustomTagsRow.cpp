#include "panels/CustomTagsRow.hpp"

#include "widgets/Icons.hpp"

namespace corvina {

namespace {

constexpr LocalizedText editText{"Edit", "編輯", "编辑"};
constexpr LocalizedText deleteText{"Delete", "刪除", "删除"};

}  // namespace

CustomTagsRow::CustomTagsRow(MainQueue& queue, std::function<void()> onEdit, std::function<void()> onDelete)
    : Gtk::Box(Gtk::Orientation::HORIZONTAL, 8), edit_(queue, "pencil"), delete_(queue, "trash") {
    add_css_class("glass");
    add_css_class("side-panel-card");
    icon_.add_css_class("tag-icon");
    append(icon_);

    name_.add_css_class("tag-name");
    name_.set_xalign(0);
    name_.set_ellipsize(Pango::EllipsizeMode::END);
    name_.set_max_width_chars(16);
    texts_.append(name_);
    buildBadges();
    texts_.append(badges_);
    texts_.set_hexpand(true);
    texts_.set_valign(Gtk::Align::CENTER);
    append(texts_);

    for (auto* button : {&edit_, &delete_}) {
        button->set_valign(Gtk::Align::CENTER);
        append(*button);
    }
    connections_ += edit_.signal_clicked().connect(std::move(onEdit));
    connections_ += delete_.signal_clicked().connect(std::move(onDelete));
}

void CustomTagsRow::showTag(const CustomTab& tag, AppLanguage language) {
    const AITab record = tabRecord(tag);
    iconName_ = record.icon;
    showServiceIcon(icon_, record.icon, record.iconIsSymbol() ? IconKind::symbol : IconKind::serviceImage, 24);
    name_.set_text(tag.name);
    showBadges(tag.attributes, language);
    edit_.setName(editText.in(language));
    delete_.setName(deleteText.in(language));
}

void CustomTagsRow::buildBadges() {
    for (std::size_t i = 0; i < tabAttributeFlags().size(); ++i) {
        badgeLabels_.push_back(Gtk::make_managed<Gtk::Label>());
        badgeLabels_.back()->add_css_class("tag-badge");
        badges_.append(*badgeLabels_.back());
    }
}

// One badge per set flag, in the order of the flags; bits without a label show nothing.
void CustomTagsRow::showBadges(TabAttributes attributes, AppLanguage language) {
    const auto& flags = tabAttributeFlags();
    for (std::size_t i = 0; i < flags.size(); ++i) {
        badgeLabels_[i]->set_text(flags[i].label.in(language));
        badgeLabels_[i]->set_visible(attributes.contains(flags[i].bit));
    }
    badges_.set_visible(!attributes.empty());
}

std::vector<std::string> CustomTagsRow::badgeTexts() const {
    std::vector<std::string> texts;
    for (const auto& label : badgeLabels_)
        if (label->get_visible()) texts.push_back(label->get_text());
    return texts;
}

}  // namespace corvina
