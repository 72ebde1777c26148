#include "pane/PageTroubleView.hpp"

namespace corvina {

PageTroubleView::PageTroubleView(std::function<void()> onAction, std::function<void()> onTrust)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 12) {
    add_css_class("page-trouble");
    set_hexpand(true);
    set_vexpand(true);
    auto* column = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 12);
    column->set_valign(Gtk::Align::CENTER);
    column->set_halign(Gtk::Align::CENTER);
    column->set_vexpand(true);
    column->set_size_request(320, -1);
    icon_.set_from_icon_name("exclamationmark.triangle.fill-symbolic");
    icon_.set_pixel_size(48);
    icon_.add_css_class("dim-label");
    title_.add_css_class("page-trouble-title");
    title_.set_wrap(true);
    title_.set_justify(Gtk::Justification::CENTER);
    title_.set_max_width_chars(40);
    detail_.add_css_class("page-trouble-detail");
    detail_.set_wrap(true);
    detail_.set_justify(Gtk::Justification::CENTER);
    detail_.set_max_width_chars(48);
    certificate_.add_css_class("page-trouble-certificate");
    certificate_.add_css_class("dim-label");
    certificate_.set_wrap(true);
    certificate_.set_wrap_mode(Pango::WrapMode::WORD_CHAR);
    certificate_.set_justify(Gtk::Justification::CENTER);
    certificate_.set_max_width_chars(56);
    certificate_.set_selectable(true);
    certificate_.set_visible(false);
    action_.add_css_class("suggested-action");
    action_.add_css_class("pill");
    action_.signal_clicked().connect(std::move(onAction));
    // The user vouches for a certificate of their own network's server.
    trust_.add_css_class("pill");
    trust_.add_css_class("trust-certificate");
    trust_.set_visible(false);
    trust_.signal_clicked().connect(std::move(onTrust));
    buttons_.set_halign(Gtk::Align::CENTER);
    buttons_.set_margin_top(8);
    buttons_.append(action_);
    buttons_.append(trust_);
    column->append(icon_);
    column->append(title_);
    column->append(detail_);
    column->append(certificate_);
    column->append(buttons_);
    append(*column);
}

void PageTroubleView::setCertificate(const std::string& text, const std::string& trustAction) {
    certificate_.set_text(text);
    certificate_.set_visible(!text.empty());
    trust_.set_label(trustAction);
    trust_.set_visible(!trustAction.empty());
}

void PageTroubleView::setTexts(const std::string& title, const std::string& detail, const std::string& action) {
    title_.set_text(title);
    detail_.set_text(detail);
    action_.set_label(action);
    action_.set_visible(!action.empty());
}

}  // namespace corvina
