#include "pane/DownloadToast.hpp"

#include "widgets/Accessibility.hpp"

namespace corvina {

DownloadToast::DownloadToast(std::function<void()> onClose) : Gtk::Box(Gtk::Orientation::HORIZONTAL, 10) {
    add_css_class("glass");
    add_css_class("download-toast");
    set_valign(Gtk::Align::START);

    icon_.set_from_icon_name("arrow.down.circle.fill-symbolic");
    icon_.set_pixel_size(18);
    icon_.add_css_class("accent-gradient");
    append(icon_);

    message_.add_css_class("toast-message");
    message_.set_hexpand(true);
    message_.set_xalign(0);
    // A reason may hold a long path: it breaks anywhere. A very long one loses its middle,
    // not the reason at its end; the tooltip has all of it.
    message_.set_wrap(true);
    message_.set_wrap_mode(Pango::WrapMode::WORD_CHAR);
    message_.set_ellipsize(Pango::EllipsizeMode::MIDDLE);
    message_.set_lines(maxLines);
    append(message_);

    close_.set_icon_name("xmark-symbolic");
    close_.add_css_class("flat");
    close_.add_css_class("toast-close");
    close_.set_size_request(20, 20);
    close_.set_valign(Gtk::Align::CENTER);
    // The user is done with the note.
    close_.signal_clicked().connect(std::move(onClose));
    append(close_);
}

void DownloadToast::setMessage(const std::string& message) {
    message_.set_text(message);
    message_.set_tooltip_text(message);
}

void DownloadToast::setCloseLabel(const std::string& label) {
    close_.set_tooltip_text(label);
    setAccessibleLabel(close_, label);
}

}  // namespace corvina
