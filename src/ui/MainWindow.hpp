#pragma once
#include <gtkmm/applicationwindow.h>
#include <gtkmm/box.h>
#include <gtkmm/overlay.h>

#include "web/AppContext.hpp"
#include "panels/ClipboardPanelView.hpp"
#include "panels/CustomTagsPanelView.hpp"
#include "panels/PromptsPanelView.hpp"
#include "platform/Observable.hpp"
#include "platform/SignalConnection.hpp"
#include "ui/CollapsedDetailToolbar.hpp"
#include "ui/ContentView.hpp"
#include "ui/DetailPanelView.hpp"
#include "ui/TopStrip.hpp"
#include "widgets/WindowBackdrop.hpp"

namespace corvina {

// The one main window: gradient background, the top strip, and the main layout with its
// detail column.
class MainWindow : public Gtk::ApplicationWindow {
public:
    static constexpr int minimumWidth = 900;
    static constexpr int minimumHeight = 600;

    MainWindow(AppContext& context, const Glib::RefPtr<Gio::Menu>& appMenu);
    ~MainWindow() override;

    TopStrip& topStrip() { return topStrip_; }
    ContentView& contentView() { return contentView_; }
    CustomTagsPanelView& customTagsPanel() { return customTagsPanel_; }
    PromptsPanelView& promptsPanel() { return promptsPanel_; }
    // Opens the find bar of the pane the next selection goes to.
    void findInPage();

private:
    void connectPromptsPanel();
    void watchMinimized();
    void unwatchMinimized();

    AppContext& context_;
    GdkSurface* surface_ = nullptr;
    SignalConnection stateChanged_;
    TopStrip topStrip_;
    Gtk::Overlay layers_;
    WindowBackdrop backdrop_;
    Gtk::Box content_{Gtk::Orientation::VERTICAL};
    CollapsedDetailToolbar toolbar_;
    DetailPanelView settingsPanel_;
    ClipboardPanelView clipboardPanel_;
    CustomTagsPanelView customTagsPanel_;
    PromptsPanelView promptsPanel_;
    ContentView contentView_;
};

}  // namespace corvina
