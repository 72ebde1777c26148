#include "panels/ProxyChoiceView.hpp"

#include "widgets/Accessibility.hpp"

namespace corvina {

namespace {

constexpr LocalizedText addressText{"Proxy address", "代理伺服器位址", "代理服务器地址"};
constexpr LocalizedText bypassText{"Hosts that bypass the proxy", "不經代理伺服器的主機", "不经代理服务器的主机"};

}  // namespace

ProxyChoiceView::ProxyChoiceView(std::function<void()> changed)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 8), changed_(std::move(changed)),
      modes_(Gtk::StringList::create({"", "", ""})) {
    add_css_class("proxy-choice");
    mode_.set_model(modes_);
    auto* modeGroup = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 4);
    modeGroup->append(modeLabel_);
    modeGroup->append(mode_);
    append(*modeGroup);
    for (auto* label : {&modeLabel_, &addressLabel_, &bypassLabel_}) {
        label->add_css_class("tags-form-label");
        label->set_xalign(0);
    }
    address_.set_placeholder_text("http://host:port");
    bypass_.set_placeholder_text("localhost, *.lan, 10.0.0.0/8");
    error_.add_css_class("error");
    error_.set_xalign(0);
    error_.set_wrap(true);
    error_.set_visible(false);
    manual_.append(addressLabel_);
    manual_.append(address_);
    manual_.append(error_);
    manual_.append(bypassLabel_);
    manual_.append(bypass_);
    append(manual_);
    nameAfter(address_, addressLabel_);
    nameAfter(bypass_, bypassLabel_);
    // A new mode, or Enter in a field, is the user's choice.
    connections_ += mode_.property_selected().signal_changed().connect([this] {
        refreshFields();
        if (!showing_ && changed_) changed_();
    });
    for (auto* field : {&address_, &bypass_})
        connections_ += field->signal_activate().connect([this] {
            if (changed_) changed_();
        });
    connections_ += address_.signal_changed().connect([this] {
        refused_.reset();
        error_.set_visible(false);
    });
    refreshFields();
}

ProxyMode ProxyChoiceView::mode() const {
    const auto selected = mode_.get_selected();
    return selected < allProxyModes.size() ? allProxyModes[selected] : ProxyMode::system;
}

void ProxyChoiceView::refreshFields() { manual_.set_visible(mode() == ProxyMode::manual); }

void ProxyChoiceView::show(const ProxySetting& setting) {
    showing_ = true;
    for (std::size_t i = 0; i < allProxyModes.size(); ++i)
        if (allProxyModes[i] == setting.mode) mode_.set_selected(i);
    address_.set_text(setting.address);
    bypass_.set_text(joinBypassHosts(setting.bypassHosts));
    showing_ = false;
    refused_.reset();
    error_.set_visible(false);
    refreshFields();
}

std::optional<ProxySetting> ProxyChoiceView::chosen() {
    ProxySetting setting{mode(), address_.get_text(), splitBypassHosts(bypass_.get_text())};
    if (setting.mode != ProxyMode::manual) return setting;
    const auto checked = checkProxyAddress(setting.address);
    if (const auto* reason = std::get_if<LocalizedText>(&checked)) {
        refused_ = *reason;
        error_.set_text(reason->in(language_));
        error_.set_visible(true);
        return std::nullopt;
    }
    setting.address = std::get<std::string>(checked);
    return setting;
}

void ProxyChoiceView::retitle(AppLanguage language) {
    language_ = language;
    showing_ = true;
    const auto selected = mode_.get_selected();
    for (std::size_t i = 0; i < allProxyModes.size(); ++i) {
        const auto name = displayName(allProxyModes[i], language);
        modes_->splice(i, 1, {name});
    }
    mode_.set_selected(selected);
    showing_ = false;
    modeLabel_.set_text(proxyText.in(language));
    setAccessibleLabel(mode_, proxyText.in(language));
    addressLabel_.set_text(addressText.in(language));
    bypassLabel_.set_text(bypassText.in(language));
    if (refused_) error_.set_text(refused_->in(language));
}

}  // namespace corvina
