#pragma once
#include <functional>
#include <string>

#include <gtkmm/box.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/label.h>

#include "app/AppLanguage.hpp"
#include "app/PromptLibrary.hpp"
#include "panels/ClipboardPanelParts.hpp"

namespace corvina {

// One prompt in the panel's list: a mark for export, its title and first line (or why its
// file cannot be used), and Use, Edit and Delete.
class PromptsPanelRow : public Gtk::Box {
public:
    struct Actions {
        std::function<void()> use;
        std::function<void()> edit;
        std::function<void()> remove;
        std::function<void(bool)> marked;
    };

    PromptsPanelRow(MainQueue& queue, Actions actions);

    void showEntry(const PromptEntry& entry, bool marked, AppLanguage language);
    std::string shownTitle() const { return title_.get_text(); }
    std::string shownDetail() const { return detail_.get_text(); }
    Gtk::CheckButton& markButton() { return mark_; }
    SidePanelIconButton& useButton() { return use_; }
    SidePanelIconButton& editButton() { return edit_; }
    SidePanelIconButton& deleteButton() { return delete_; }

private:
    Gtk::CheckButton mark_;
    Gtk::Box texts_{Gtk::Orientation::VERTICAL, 3};
    Gtk::Label title_;
    Gtk::Label detail_;
    SidePanelIconButton use_;
    SidePanelIconButton edit_;
    SidePanelIconButton delete_;
    ScopedConnection markWatch_;
    Connections connections_;
};

// Why a prompt file is listed but cannot be used, as the panel says it.
LocalizedText problemText(PromptProblem problem);

}  // namespace corvina
