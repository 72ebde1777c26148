#pragma once
#include <functional>
#include <string>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

#include "app/AppLanguage.hpp"
#include "panels/ClipboardPanelParts.hpp"
#include "app/CustomTab.hpp"
#include "panels/CustomTagsWrapBox.hpp"

namespace corvina {

// One custom tag in the panel's list: icon, name, flag badges, and edit and delete buttons.
// A row stands for a place in the list and shows whichever tag is there.
class CustomTagsRow : public Gtk::Box {
public:
    CustomTagsRow(MainQueue& queue, std::function<void()> onEdit, std::function<void()> onDelete);

    void showTag(const CustomTab& tag, AppLanguage language);

    std::string shownName() const { return name_.get_text(); }
    std::string iconName() const { return iconName_; }
    std::vector<std::string> badgeTexts() const;
    SidePanelIconButton& editButton() { return edit_; }
    SidePanelIconButton& deleteButton() { return delete_; }

private:
    void buildBadges();
    void showBadges(TabAttributes attributes, AppLanguage language);

    Gtk::Image icon_;
    std::string iconName_;
    Gtk::Box texts_{Gtk::Orientation::VERTICAL, 3};
    Gtk::Label name_;
    CustomTagsWrapBox badges_{4, 4};
    // One per flag, owned by the box above.
    std::vector<Gtk::Label*> badgeLabels_;
    SidePanelIconButton edit_;
    SidePanelIconButton delete_;
    Connections connections_;
};

}  // namespace corvina
