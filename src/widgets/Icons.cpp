#include "widgets/Icons.hpp"

#include <gdkmm/texture.h>

namespace corvina {

void showSymbol(Gtk::Image& image, const std::string& symbolName, int size) {
    image.set_from_icon_name(symbolName + "-symbolic");
    image.set_pixel_size(size);
}

void showTabIcon(Gtk::Image& image, const AITab& tab, int size) {
    if (tab.iconIsSymbol()) return showSymbol(image, tab.icon, size);
    try {
        image.set(Gdk::Texture::create_from_resource("/app/corvina/icons/services/" + tab.icon + ".svg"));
    } catch (const Glib::Error&) {
        image.set_from_icon_name("image-missing");
    }
    image.set_pixel_size(size);
}

}  // namespace corvina
