#pragma once
// Pieces that both side panels (clipboard and custom tags) are built from.
#include <string>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/eventcontrollermotion.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

#include "web/AppContext.hpp"
#include "platform/Observable.hpp"
#include "widgets/DelayedTooltip.hpp"
#include "widgets/Spring.hpp"

namespace corvina {

// The thin bar on a side panel's leading edge; a click folds the detail panel away.
class SidePanelCollapseHandle : public Gtk::Button {
public:
    static constexpr SpringCurve hoverSpring{0.2, 1.0};

    explicit SidePanelCollapseHandle(AppContext& context);

    // Screen readers announce the handle by its panel's title.
    void setPanelTitle(const std::string& title);

private:
    void applyHover(double amount);

    AppContext& context_;
    Gtk::Box bar_;
    Glib::RefPtr<Gtk::EventControllerMotion> motion_;
    Connections connections_;
    SpringValue hover_;
};

// A symbol over a short text, both dimmed, for a panel with nothing to list.
class SidePanelEmptyState : public Gtk::Box {
public:
    SidePanelEmptyState(const std::string& symbol, int spaceAbove);

    void setText(const std::string& text) { text_.set_text(text); }
    std::string text() const { return text_.get_text(); }

private:
    Gtk::Image symbol_;
    Gtk::Label text_;
};

// A small borderless symbol button of a panel row, named for screen readers and by a
// delayed tooltip.
class SidePanelIconButton : public Gtk::Button {
public:
    SidePanelIconButton(MainQueue& queue, const std::string& symbol);

    void setSymbol(const std::string& symbol);
    std::string symbol() const { return symbol_; }
    void setName(const std::string& name);
    std::string name() const { return tooltip_.text(); }

private:
    Gtk::Image icon_;
    std::string symbol_;
    DelayedTooltip tooltip_;
};

}  // namespace corvina
