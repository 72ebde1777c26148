#include "pane/PageTroubleView.hpp"

namespace corvina {

PageTroubleView::PageTroubleView(std::function<void()> onAction) : Gtk::Box(Gtk::Orientation::VERTICAL, 12) {
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
    action_.add_css_class("suggested-action");
    action_.add_css_class("pill");
    action_.set_halign(Gtk::Align::CENTER);
    action_.set_margin_top(8);
    action_.signal_clicked().connect(std::move(onAction));
    column->append(icon_);
    column->append(title_);
    column->append(detail_);
    column->append(action_);
    append(*column);
}

void PageTroubleView::setTexts(const std::string& title, const std::string& detail, const std::string& action) {
    title_.set_text(title);
    detail_.set_text(detail);
    action_.set_label(action);
    action_.set_visible(!action.empty());
}

}  // namespace corvina
