#pragma once
#include <functional>
#include <optional>

#include <gtkmm/box.h>
#include <gtkmm/dropdown.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/stringlist.h>

#include "app/ProxySetting.hpp"
#include "platform/Observable.hpp"

namespace corvina {

// How one network session reaches the web: the desktop's proxy, none, or one typed here
// with the hosts that bypass it. A typed address that does not read as a proxy's is
// refused with the reason under it.
class ProxyChoiceView : public Gtk::Box {
public:
    static constexpr LocalizedText proxyText{"Proxy", "代理伺服器", "代理服务器"};

    // `changed` hears the user's choices (a new mode, Enter in a field), not `show`.
    explicit ProxyChoiceView(std::function<void()> changed = {});

    void show(const ProxySetting& setting);
    // The setting as chosen, or none (with the reason shown) when the address is refused.
    std::optional<ProxySetting> chosen();
    void retitle(AppLanguage language);

    Gtk::DropDown& modeChooser() { return mode_; }
    Gtk::Entry& addressField() { return address_; }
    Gtk::Entry& bypassField() { return bypass_; }
    // The reason the address was refused, or "".
    std::string refusal() const { return error_.get_visible() ? error_.get_text() : ""; }

private:
    ProxyMode mode() const;
    void refreshFields();

    std::function<void()> changed_;
    AppLanguage language_ = AppLanguage::en;
    Gtk::Label modeLabel_;
    Glib::RefPtr<Gtk::StringList> modes_;
    Gtk::DropDown mode_;
    Gtk::Box manual_{Gtk::Orientation::VERTICAL, 4};
    Gtk::Label addressLabel_;
    Gtk::Entry address_;
    Gtk::Label error_;
    Gtk::Label bypassLabel_;
    Gtk::Entry bypass_;
    // The last refusal, shown again in the interface's language.
    std::optional<LocalizedText> refused_;
    bool showing_ = false;
    Connections connections_;
};

}  // namespace corvina
