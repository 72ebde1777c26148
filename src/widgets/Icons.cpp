#include "widgets/Icons.hpp"

#include <gdkmm/texture.h>

namespace corvina {

void showSymbol(Gtk::Image& image, const std::string& symbolName, int size) {
    image.set_from_icon_name(symbolName + "-symbolic");
    image.set_pixel_size(size);
}

void showServiceIcon(Gtk::Image& image, const std::string& icon, IconKind kind, int size) {
    if (kind == IconKind::symbol) return showSymbol(image, icon, size);
    try {
        image.set(Gdk::Texture::create_from_resource("/app/corvina/icons/services/" + icon + ".svg"));
    } catch (const Glib::Error&) {
        image.set_from_icon_name("image-missing");
    }
    image.set_pixel_size(size);
}

}  // namespace corvina
