#include "widgets/Styles.hpp"

#include <giomm/resource.h>
#include <gtkmm/cssprovider.h>
#include <gtkmm/icontheme.h>
#include <gtkmm/stylecontext.h>

namespace corvina {

void installStylesAndIcons() {
    auto display = Gdk::Display::get_default();
    const std::string folder = "/app/corvina/styles/";
    // base.css first, then the areas in name order, so areas may refine the base.
    auto names = Gio::Resource::enumerate_children_global(folder);
    std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) {
        return (a == "base.css") != (b == "base.css") ? a == "base.css" : a < b;
    });
    for (const auto& name : names) {
        auto css = Gtk::CssProvider::create();
        css->load_from_resource(folder + name);
        Gtk::StyleContext::add_provider_for_display(display, css, GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    }
    // Our symbols and the app icon, looked up by name like any themed icon.
    Gtk::IconTheme::get_for_display(display)->add_resource_path("/app/corvina/icons");
}

}  // namespace corvina
