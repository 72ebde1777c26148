#pragma once
#include <memory>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/image.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/separator.h>
#include <gtkmm/stack.h>

#include "web/AppContext.hpp"
#include "app/AppState.hpp"
#include "platform/Observable.hpp"
#include "platform/WeakOwner.hpp"
#include "ui/AITabItemView.hpp"
#include "widgets/DelayedTooltip.hpp"
#include "widgets/StepPulse.hpp"

namespace corvina {

class WebViewStore;

// The strip of services at one side of the window: the visible built-in services, then the
// custom tags, and below them the page controls of the active pane.
class AITabBarView : public Gtk::Box {
public:
    enum class Control { toggle, back, refresh, forward, position };

    explicit AITabBarView(AppContext& context);

    // What the rows and controls show now, for tests and assistive checks.
    std::vector<AITabItemView*> rows() const;
    bool showsDivider() const { return divider_.get_parent() != nullptr; }
    Gtk::Button& control(Control which);
    DelayedTooltip& tooltip(Control which);
    bool showsExpandedHeader() const { return header_.get_visible_child_name() == "expanded"; }

private:
    struct HeaderButton {
        Gtk::Button button;
        Gtk::Image icon;
        std::unique_ptr<DelayedTooltip> tooltip;
    };

    void rebuildRows();
    void refreshRows();
    void refreshHeader();
    void retitle();
    void buildHeader();
    HeaderButton& makeButton(Control which, std::function<void()> action);

    WeakOwner<AITabBarView> owner_{this};
    AppContext& context_;
    WebViewStore& store_;
    Gtk::ScrolledWindow scroll_;
    Gtk::Box list_{Gtk::Orientation::VERTICAL, 5};
    Gtk::Separator divider_;
    std::vector<std::unique_ptr<AITabItemView>> rows_;
    Gtk::Stack header_;
    Gtk::Box expanded_{Gtk::Orientation::HORIZONTAL};
    Gtk::Box collapsed_{Gtk::Orientation::HORIZONTAL};
    std::map<Control, HeaderButton> buttons_;
    HeaderButton collapsedToggle_;
    StepPulse answeringPulse_{*this, context_.queue};
    Connections connections_;
};

}  // namespace corvina
