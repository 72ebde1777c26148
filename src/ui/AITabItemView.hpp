#pragma once
#include <functional>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/gestureclick.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/overlay.h>
#include <gtkmm/popover.h>

#include "app/AITab.hpp"
#include "web/AnswerActivity.hpp"

namespace corvina {

// One service in the tab bar: its icon and, when the bar is expanded, its name; and what its
// pages are doing: answering, an answer ready, an unread count (at the row's end, or on the
// icon when the bar is collapsed).
class AITabItemView : public Gtk::Button {
public:
    static constexpr LocalizedText anotherAccountText{"Add Another Account…", "新增另一個帳號…", "添加另一个账号…"};

    AITabItemView(AITab tab, std::function<void()> action);
    ~AITabItemView() override;

    // The row's menu (secondary click, or the Menu key) offers a second account of the service.
    void offerAnotherAccount(std::function<void()> add);
    void openMenu();
    bool showsMenu() const { return menu_.get_visible(); }
    Gtk::Button& anotherAccountItem() { return anotherAccount_; }

    const AITab& tab() const { return tab_; }
    void update(bool primarySelected, bool secondarySelected, bool showLabel, AppLanguage language);
    // A service put to sleep shows a dimmed icon until it is selected again.
    void showAsleep(bool asleep) { asleep ? add_css_class("asleep") : remove_css_class("asleep"); }
    void showActivity(const ServiceActivity& activity, bool expanded, AppLanguage language);

    bool isPrimarySelected() const { return has_css_class("primary-selected"); }
    bool isSecondarySelected() const { return has_css_class("secondary-selected"); }
    std::string name() const { return label_.get_text(); }

private:
    AITab tab_;
    Gtk::Box content_{Gtk::Orientation::HORIZONTAL, 10};
    Gtk::Overlay iconLayers_;
    Gtk::Image icon_;
    Gtk::Label label_;
    // The marks: in the row when expanded, over the icon's corner when collapsed.
    Gtk::Box marks_{Gtk::Orientation::HORIZONTAL, 4};
    Gtk::Box iconMarks_{Gtk::Orientation::HORIZONTAL, 0};
    struct Marks {
        Gtk::Label answering{"•••"};
        Gtk::Box ready;
        Gtk::Label unread;
    };
    Marks rowMarks_;
    Marks iconMarkSet_;
    Gtk::Popover menu_;
    Gtk::Button anotherAccount_;
    Glib::RefPtr<Gtk::GestureClick> menuClick_;
};

}  // namespace corvina
