#include "ui/NetworkSettingsPage.hpp"

#include "app/AppSettings.hpp"
#include "widgets/Accessibility.hpp"

namespace corvina {

namespace {

constexpr LocalizedText applyText{"Apply", "套用", "应用"};

}  // namespace

NetworkSettingsPage::NetworkSettingsPage(AppContext& context)
    : context_(context), group_(ADW_PREFERENCES_GROUP(adw_preferences_group_new())), proxy_([this] { apply(); }) {
    apply_.set_halign(Gtk::Align::END);
    apply_.signal_clicked().connect([this] { apply(); });
    column_.append(proxy_);
    column_.append(apply_);
    adw_preferences_group_add(group_, GTK_WIDGET(column_.gobj()));
    connections_ += context_.appSettings.proxy().observe([this] { refresh(); });
    refresh();
}

// A refused address stays typed, with its reason, and changes nothing.
void NetworkSettingsPage::apply() {
    if (const auto chosen = proxy_.chosen()) context_.appSettings.setProxy(*chosen);
}

void NetworkSettingsPage::refresh() {
    proxy_.show(context_.appSettings.proxy().get());
}

void NetworkSettingsPage::retitle(AppLanguage language) {
    proxy_.retitle(language);
    apply_.set_label(applyText.in(language));
    setAccessibleLabel(apply_, applyText.in(language));
}

}  // namespace corvina
