#pragma once
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/dropdown.h>
#include <gtkmm/gestureclick.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/stringlist.h>

#include "app/AppLanguage.hpp"
#include "app/PaneLayout.hpp"
#include "platform/Observable.hpp"
#include "web/AppContext.hpp"

namespace corvina {

// The slim strip over a pane of the grid: the service it shows, in a list to put another
// service there, and what that service is doing; and Enlarge / Restore (a double-click on
// the strip does the same).
class PaneHeader : public Gtk::Box {
public:
    static constexpr LocalizedText enlargeText{"Enlarge", "放大", "放大"};
    static constexpr LocalizedText restoreText{"Restore", "還原", "还原"};
    static constexpr LocalizedText chooserText{"Service in pane %s", "窗格 %s 的服務", "窗格 %s 的服务"};
    static constexpr LocalizedText nothingText{"None", "無", "无"};

    PaneHeader(AppContext& context, Pane pane);

    Gtk::DropDown& chooser() { return chooser_; }
    Gtk::Button& enlargeButton() { return enlarge_; }

private:
    void rebuildChoices();
    void refresh();
    void chosen();

    AppContext& context_;
    Pane pane_;
    Gtk::Image icon_;
    Gtk::Box spacer_;
    Gtk::Label answering_{"•••"};
    Gtk::Box ready_;
    Glib::RefPtr<Gtk::StringList> names_;
    // The service of each row of the list; the last row empties the pane.
    std::vector<std::string> ids_;
    Gtk::DropDown chooser_;
    Gtk::Button enlarge_;
    Glib::RefPtr<Gtk::GestureClick> doubleClick_;
    ScopedConnection chosenConnection_;
    Connections connections_;
};

}  // namespace corvina
