#pragma once
#include <memory>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/grid.h>
#include <gtkmm/label.h>
#include <gtkmm/menubutton.h>
#include <gtkmm/popover.h>

#include "app/PaneLayout.hpp"
#include "platform/Observable.hpp"
#include "web/AppContext.hpp"
#include "widgets/ArrangementPicture.hpp"

namespace corvina {

// The top strip's Layout button: a popover offering each layout as a small picture of its
// panes with its name, the one shown marked.
class LayoutButton : public Gtk::MenuButton {
public:
    explicit LayoutButton(AppContext& context);

private:
    struct Choice {
        explicit Choice(PaneArrangement arrangement);

        PaneArrangement arrangement;
        Gtk::Button button;
        Gtk::Box content{Gtk::Orientation::VERTICAL, 6};
        ArrangementPicture picture;
        Gtk::Label name;
    };

    void retitle();
    void markCurrent();

    AppContext& context_;
    Gtk::Popover popover_;
    Gtk::Grid grid_;
    std::vector<std::unique_ptr<Choice>> choices_;
    Connections connections_;
};

}  // namespace corvina
