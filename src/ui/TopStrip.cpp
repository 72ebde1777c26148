#include "ui/TopStrip.hpp"

#include <gtkmm/window.h>

#include "app/AskSeveral.hpp"
#include "app/LocalizationManager.hpp"
#include "ui/MenuCommands.hpp"
#include "widgets/Accessibility.hpp"

namespace corvina {

namespace {

const LocalizedText menuText{"Main Menu", "主選單", "主菜单"};
const LocalizedText minimizeText{"Minimize", "最小化", "最小化"};
const LocalizedText zoomText{"Zoom", "縮放", "缩放"};
const LocalizedText closeText{"Close", "關閉", "关闭"};

void styleControl(Gtk::Button& button, const char* icon) {
    button.set_icon_name(icon);
    button.add_css_class("flat");
    button.add_css_class("circular");
    button.add_css_class("window-control");
    button.set_valign(Gtk::Align::CENTER);
}

}  // namespace

TopStrip::TopStrip(AppContext& context, const Glib::RefPtr<Gio::Menu>& appMenu)
    : context_(context), layoutButton_(context) {
    add_css_class("top-strip");
    box_.set_margin_start(8);
    box_.set_margin_end(8);
    box_.set_margin_top(4);
    box_.set_margin_bottom(4);
    layers_.set_child(backdrop_);
    layers_.add_overlay(box_);
    layers_.set_measure_overlay(box_, true);
    set_child(layers_);

    menuButton_.set_icon_name("open-menu-symbolic");
    menuButton_.set_menu_model(appMenu);
    menuButton_.add_css_class("flat");
    menuButton_.set_valign(Gtk::Align::CENTER);
    box_.append(menuButton_);

    askIcon_.set_from_icon_name("ask.several-symbolic");
    askContent_.append(askIcon_);
    askContent_.append(askLabel_);
    askButton_.set_child(askContent_);
    askButton_.add_css_class("flat");
    askButton_.add_css_class("ask-several-toggle");
    askButton_.set_valign(Gtk::Align::CENTER);
    nameAfter(askButton_, askLabel_);
    askToggled_ = askButton_.signal_toggled().connect([this] { context_.askSeveral.setOpen(askButton_.get_active()); });
    box_.append(askButton_);
    box_.append(layoutButton_);
    connections_ += context.askSeveral.isOpen().observe([this] {
        ScopedBlock quiet(askToggled_);
        askButton_.set_active(context_.askSeveral.isOpen().get());
    });

    controls_.set_hexpand(true);
    controls_.set_halign(Gtk::Align::END);
    styleControl(minimizeButton_, "window-minimize-symbolic");
    styleControl(zoomButton_, "window-maximize-symbolic");
    styleControl(closeButton_, "window-close-symbolic");
    controls_.append(minimizeButton_);
    controls_.append(zoomButton_);
    controls_.append(closeButton_);
    box_.append(controls_);

    // What the user means: put the window away, make it big or back, close it.
    auto window = [this] { return dynamic_cast<Gtk::Window*>(get_root()); };
    minimizeButton_.signal_clicked().connect([window] {
        if (auto* w = window()) w->minimize();
    });
    zoomButton_.signal_clicked().connect([this, window] {
        if (zoom_) return zoom_();
        if (auto* w = window()) w->is_maximized() ? w->unmaximize() : w->maximize();
    });
    closeButton_.signal_clicked().connect([window] {
        if (auto* w = window()) w->close();
    });

    connections_ += context.localization.currentLanguage().observe([this] { retitle(); });
    retitle();
}

void TopStrip::retitle() {
    const auto& l10n = context_.localization;
    askLabel_.set_text(l10n.text(MenuCommands::askSeveralTitle));
    askButton_.set_tooltip_text(l10n.text(MenuCommands::askSeveralTitle) + " (Ctrl+Shift+K)");
    const std::pair<Gtk::Widget*, const LocalizedText*> controls[] = {
        {&menuButton_, &menuText}, {&minimizeButton_, &minimizeText}, {&zoomButton_, &zoomText}, {&closeButton_, &closeText}};
    for (auto [widget, text] : controls) {
        widget->set_tooltip_text(l10n.text(*text));
        setAccessibleLabel(*widget, l10n.text(*text));
    }
}

}  // namespace corvina
