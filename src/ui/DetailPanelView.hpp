#pragma once
#include <string>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/overlay.h>
#include <gtkmm/scrolledwindow.h>

#include "web/AppContext.hpp"
#include "platform/Observable.hpp"
#include "ui/DetailPanelCards.hpp"
#include "widgets/DelayedTooltip.hpp"

namespace corvina {

// The settings page inside the main window: seven cards under a title, the version line at
// the bottom, and a handle on the leading edge that folds the panel away.
class DetailPanelView : public Gtk::Overlay {
public:
    static constexpr int width = 300;

    explicit DetailPanelView(AppContext& context);

    std::string titleText() const { return title_.get_text(); }
    // The card titles, top to bottom.
    std::vector<std::string> cardTitles() const;

    LanguageCard& languageCard() { return languageCard_; }
    AIServicesCard& aiServicesCard() { return aiServicesCard_; }
    AppearanceCard& appearanceCard() { return appearanceCard_; }
    DownloadPathCard& downloadPathCard() { return downloadPathCard_; }
    LaunchAtLoginCard& launchAtLoginCard() { return launchAtLoginCard_; }
    MemoryCard& memoryCard() { return memoryCard_; }
    Gtk::Button& collapseHandle() { return handle_; }

private:
    void buildContent();
    void buildHandle();
    void retitle();

    AppContext& context_;
    Gtk::Box frame_{Gtk::Orientation::VERTICAL, 0};
    Gtk::ScrolledWindow scroller_;
    Gtk::Box content_{Gtk::Orientation::VERTICAL, 24};
    Gtk::Label title_;
    LanguageCard languageCard_;
    AIServicesCard aiServicesCard_;
    AppearanceCard appearanceCard_;
    DownloadPathCard downloadPathCard_;
    ClearCacheCard clearCacheCard_;
    LaunchAtLoginCard launchAtLoginCard_;
    MemoryCard memoryCard_;
    Gtk::Label version_;
    Gtk::Button handle_;
    Gtk::Box handleBar_;
    DelayedTooltip handleTooltip_;
    Connections connections_;
};

}  // namespace corvina
