#pragma once
#include <adwaita.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>

#include "panels/ProxyChoiceView.hpp"
#include "platform/Observable.hpp"
#include "web/AppContext.hpp"

namespace corvina {

// The settings window's Network page: the proxy of the shared network session (built-in
// services and the tags that share their sign-in). A mode applies when picked; a typed
// address with Enter or Apply, once it reads as a proxy's.
class NetworkSettingsPage {
public:
    static constexpr LocalizedText titleText{"Network", "網路", "网络"};

    explicit NetworkSettingsPage(AppContext& context);

    // The preferences group the window puts on its page (untitled: the choice names itself);
    // the window owns it.
    GtkWidget* group() const { return GTK_WIDGET(group_); }
    ProxyChoiceView& proxyChoice() { return proxy_; }
    Gtk::Button& applyButton() { return apply_; }
    void retitle(AppLanguage language);

private:
    void apply();
    void refresh();

    AppContext& context_;
    AdwPreferencesGroup* group_;
    Gtk::Box column_{Gtk::Orientation::VERTICAL, 8};
    ProxyChoiceView proxy_;
    Gtk::Button apply_;
    Connections connections_;
};

}  // namespace corvina
