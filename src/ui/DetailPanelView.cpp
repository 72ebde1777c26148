#include "ui/DetailPanelView.hpp"

#include "app/AppState.hpp"
#include "app/LocalizationManager.hpp"
#include "widgets/Accessibility.hpp"

namespace corvina {

namespace {

const LocalizedText settingsText{"Settings", "設定", "设置"};
const LocalizedText collapseText{"Click to collapse panel", "點擊收起面板", "点击收起面板"};

}  // namespace

DetailPanelView::DetailPanelView(AppContext& context)
    : context_(context),
      languageCard_(context),
      aiServicesCard_(context),
      appearanceCard_(context),
      downloadPathCard_(context),
      clearCacheCard_(context),
      launchAtLoginCard_(context),
      memoryCard_(context),
      handleTooltip_(handle_, context.queue) {
    add_css_class("detail-panel");
    set_size_request(width, -1);
    buildContent();
    buildHandle();
    connections_ += context.localization.currentLanguage().observe([this] { retitle(); });
    retitle();
}

void DetailPanelView::buildContent() {
    title_.add_css_class("panel-title");
    title_.set_xalign(0);
    content_.add_css_class("panel-content");
    content_.append(title_);
    for (Gtk::Widget* card : std::initializer_list<Gtk::Widget*>{&languageCard_, &aiServicesCard_, &appearanceCard_,
                                                                 &downloadPathCard_, &clearCacheCard_,
                                                                 &launchAtLoginCard_, &memoryCard_})
        content_.append(*card);
    scroller_.set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
    scroller_.set_vexpand(true);
    scroller_.set_child(content_);

    version_.set_text(std::string("Corvina：") + CORVINA_VERSION);
    version_.add_css_class("version-line");
    frame_.append(scroller_);
    frame_.append(version_);
    set_child(frame_);
}

void DetailPanelView::buildHandle() {
    handleBar_.add_css_class("handle-bar");
    handleBar_.set_halign(Gtk::Align::CENTER);
    handleBar_.set_valign(Gtk::Align::CENTER);
    handle_.set_child(handleBar_);
    handle_.add_css_class("collapse-handle");
    handle_.set_halign(Gtk::Align::START);
    handle_.set_valign(Gtk::Align::CENTER);
    // The user folds the panel back into the toolbar.
    handle_.signal_clicked().connect([this] { context_.appState.setShowDetailPanel(false); });
    add_overlay(handle_);
}

void DetailPanelView::retitle() {
    title_.set_text(context_.localization.text(settingsText));
    handleTooltip_.setText(context_.localization.text(collapseText));
    setAccessibleLabel(handle_, context_.localization.text(collapseText));
}

}  // namespace corvina
