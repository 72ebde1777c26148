#include "ui/MainWindow.hpp"

#include "app/MenuCommands.hpp"

namespace corvina {

MainWindow::MainWindow(AppContext& context, const Glib::RefPtr<Gio::Menu>& appMenu)
    : context_(context), topStrip_(context, appMenu) {
    set_title("Corvina");
    set_icon_name(CORVINA_APP_ID);
    add_css_class("corvina-main");
    set_default_size(1280, 820);
    set_titlebar(topStrip_);
    content_.set_size_request(minimumWidth, minimumHeight);
    content_.add_css_class("content-area");
    set_child(content_);
    add_controller(MenuCommands::captureShortcuts());
}

void MainWindow::setContent(Gtk::Widget& content) {
    while (auto* child = content_.get_first_child()) content_.remove(*child);
    content.set_expand(true);
    content_.append(content);
}

}  // namespace corvina
