#pragma once
#include <string>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/image.h>

#include "web/AppContext.hpp"
#include "app/AppState.hpp"
#include "platform/Observable.hpp"
#include "widgets/DelayedTooltip.hpp"

namespace corvina {

// An icon button of the collapsed toolbar with its delayed tooltip.
class ToolbarButton : public Gtk::Button {
public:
    explicit ToolbarButton(MainQueue& queue);

    void show(const char* symbol, const std::string& tooltip);
    std::string tooltip() const { return tooltip_.text(); }

private:
    Gtk::Image icon_;
    DelayedTooltip tooltip_;
};

// The narrow column shown while the detail panel is closed: docking, split view, and the
// three kinds of panel.
class CollapsedDetailToolbar : public Gtk::Box {
public:
    static constexpr int width = 44;

    explicit CollapsedDetailToolbar(AppContext& context);

private:
    void connectActions();
    void openPanel(DetailPanelType kind);
    void refresh();

    AppContext& context_;
    ToolbarButton dock_;
    ToolbarButton clipboard_;
    ToolbarButton split_;
    ToolbarButton settings_;
    ToolbarButton customTags_;
    ToolbarButton prompts_;
    ToolbarButton dockRight_;
    Connections connections_;
};

}  // namespace corvina
