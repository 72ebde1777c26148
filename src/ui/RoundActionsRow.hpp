#pragma once
#include <memory>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/label.h>
#include <gtkmm/menubutton.h>
#include <gtkmm/popover.h>

#include "app/AppLanguage.hpp"
#include "platform/MainQueue.hpp"
#include "platform/Observable.hpp"
#include "web/AppContext.hpp"

namespace corvina {

// Under the composer's services once the latest ask has answers: copy or save them all,
// have one service compare them, or go on with the starred ones.
class RoundActionsRow : public Gtk::Box {
public:
    explicit RoundActionsRow(AppContext& context);
    ~RoundActionsRow() override;

private:
    void refresh();
    void retitle();
    void rebuildJudges();
    void say(const LocalizedText& text);

    AppContext& context_;
    Gtk::Button copyAll_;
    Gtk::Button saveAll_;
    Gtk::MenuButton compare_;
    Gtk::Popover judgesPopover_;
    Gtk::Box judgesBox_{Gtk::Orientation::VERTICAL, 4};
    Gtk::Label judgesTitle_;
    Gtk::Box judges_{Gtk::Orientation::VERTICAL, 2};
    Gtk::CheckButton nameServices_;
    std::vector<std::unique_ptr<Gtk::Button>> judgeButtons_;
    Gtk::Button continue_;
    Gtk::Label said_;
    TimerHandle unsay_;
    Connections connections_;
};

}  // namespace corvina
