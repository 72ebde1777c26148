#include "ui/CollapsedDetailToolbar.hpp"

#include "app/LocalizationManager.hpp"
#include "widgets/Accessibility.hpp"
#include "widgets/Icons.hpp"

namespace corvina {

namespace {

const LocalizedText dockLeftText{"Dock Left", "靠左吸附", "靠左吸附"};
const LocalizedText exitDockText{"Exit Dock", "退出靠邊", "退出靠边"};
const LocalizedText clipboardText{"Clipboard", "剪貼板", "剪贴板"};
const LocalizedText splitViewText{"Split View", "分屏", "分屏"};
const LocalizedText exitSplitViewText{"Exit Split View", "退出分屏", "退出分屏"};
const LocalizedText expandPanelText{"Expand Panel", "展開面板", "展开面板"};
const LocalizedText customTagsText{"Custom Tags", "自訂標籤", "自定义标签"};
const LocalizedText promptsText{"Prompts", "提示詞", "提示词"};
const LocalizedText dockRightText{"Dock Right", "靠右吸附", "靠右吸附"};
const LocalizedText cannotDockText{"Docking is not available: this desktop does not let apps place their windows",
                                   "無法吸附：此桌面不允許應用程式擺放自己的視窗",
                                   "无法吸附：此桌面不允许应用摆放自己的窗口"};

constexpr int iconFrame = 28;
constexpr int iconSize = 18;

}  // namespace

ToolbarButton::ToolbarButton(MainQueue& queue) : tooltip_(*this, queue) {
    icon_.set_size_request(iconFrame, iconFrame);
    set_child(icon_);
    add_css_class("flat");
    add_css_class("toolbar-button");
}

void ToolbarButton::show(const char* symbol, const std::string& tooltip) {
    showSymbol(icon_, symbol, iconSize);
    tooltip_.setText(tooltip);
    setAccessibleLabel(*this, tooltip);
}

CollapsedDetailToolbar::CollapsedDetailToolbar(AppContext& context)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 8),
      context_(context),
      dock_(context.queue),
      clipboard_(context.queue),
      split_(context.queue),
      settings_(context.queue),
      customTags_(context.queue),
      prompts_(context.queue),
      dockRight_(context.queue) {
    add_css_class("collapsed-toolbar");
    set_size_request(width, -1);
    set_valign(Gtk::Align::CENTER);
    set_halign(Gtk::Align::CENTER);
    for (ToolbarButton* button : {&dock_, &clipboard_, &split_, &settings_, &customTags_, &prompts_, &dockRight_}) append(*button);
    dock_.add_css_class("dock-button");
    dockRight_.add_css_class("dock-button");
    connectActions();

    const AppState& state = context.appState;
    connections_ += state.dockSide().observe([this] { refresh(); });
    connections_ += state.canPlaceWindow().observe([this] { refresh(); });
    connections_ += state.panes().observe([this] { refresh(); });
    connections_ += context.localization.currentLanguage().observe([this] { refresh(); });
    refresh();
}

void CollapsedDetailToolbar::connectActions() {
    AppState& state = context_.appState;
    // Dock to an edge, or come back from it.
    dock_.signal_clicked().connect([&state] {
        if (state.dockSide().get() == DockSide::none)
            state.dockWindow(DockSide::left);
        else
            state.undockWindow();
    });
    dockRight_.signal_clicked().connect([&state] { state.dockWindow(DockSide::right); });
    // Two services side by side, or back to one.
    split_.signal_clicked().connect([&state] { state.toggleSplit(); });
    clipboard_.signal_clicked().connect([this] { openPanel(DetailPanelType::clipboard); });
    settings_.signal_clicked().connect([this] { openPanel(DetailPanelType::settings); });
    customTags_.signal_clicked().connect([this] { openPanel(DetailPanelType::customTags); });
    prompts_.signal_clicked().connect([this] { openPanel(DetailPanelType::prompts); });
}

void CollapsedDetailToolbar::openPanel(DetailPanelType kind) {
    context_.appState.setDetailPanelType(kind);
    context_.appState.setShowDetailPanel(true);
}

void CollapsedDetailToolbar::refresh() {
    const auto& l10n = context_.localization;
    const bool docked = context_.appState.dockSide().get() != DockSide::none;
    const bool split = context_.appState.panes().isSplit();
    // Where the window cannot be placed, docking is not offered, and the tooltip says why.
    const bool canDock = docked || context_.appState.canPlaceWindow().get();
    dock_.show(docked ? "xmark" : "chevron.left",
               l10n.text(docked ? exitDockText : canDock ? dockLeftText : cannotDockText));
    clipboard_.show("doc.on.clipboard", l10n.text(clipboardText));
    split_.show(split ? "rectangle.on.rectangle.angled" : "rectangle.split.2x1",
                l10n.text(split ? exitSplitViewText : splitViewText));
    settings_.show("gearshape", l10n.text(expandPanelText));
    customTags_.show("plus.circle", l10n.text(customTagsText));
    prompts_.show("text.bubble", l10n.text(promptsText));
    dockRight_.show("chevron.right", l10n.text(canDock ? dockRightText : cannotDockText));
    dockRight_.set_visible(!docked);
    // The pointer never reaches an insensitive button's own bubble: the toolkit's tooltip,
    // which does, says why.
    for (auto* button : {&dock_, &dockRight_}) {
        button->set_sensitive(canDock);
        gtk_widget_set_tooltip_text(GTK_WIDGET(button->gobj()), canDock ? nullptr : button->tooltip().c_str());
    }
}

}  // namespace corvina
