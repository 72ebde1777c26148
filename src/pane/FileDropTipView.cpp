#include "pane/FileDropTipView.hpp"

namespace corvina {

FileDropTipView::FileDropTipView() : Gtk::Box(Gtk::Orientation::VERTICAL, 10) {
    add_css_class("glass");
    add_css_class("file-drop-tip");
    set_size_request(300, -1);
    set_halign(Gtk::Align::CENTER);
    set_valign(Gtk::Align::CENTER);
    set_can_target(false);

    icon_.set_from_icon_name("arrow.up.doc-symbolic");
    icon_.set_pixel_size(22);
    icon_.add_css_class("accent-gradient");
    append(icon_);

    text_.add_css_class("tip-text");
    text_.set_wrap(true);
    text_.set_max_width_chars(40);
    text_.set_justify(Gtk::Justification::CENTER);
    append(text_);
}

}  // namespace corvina
