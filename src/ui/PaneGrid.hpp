#pragma once
#include <memory>
#include <optional>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/widget.h>

#include "pane/PagePlacement.hpp"
#include "platform/Observable.hpp"
#include "ui/PaneFrame.hpp"
#include "web/AppContext.hpp"

namespace corvina {

// The panes of the window in their arrangement, sharing the area equally with the gaps
// and dividers between them. An enlarged pane fills the area alone, as does the active
// pane of a docked window; the others keep their pages, out of sight. Where the area is
// too narrow for the columns, the panes take fewer columns and more rows.
class PaneGrid : public Gtk::Widget {
public:
    static constexpr int gap = 6;
    // Narrower than this, a column is no use: the panes wrap into more rows.
    static constexpr int minimumColumnWidth = 360;

    explicit PaneGrid(AppContext& context);
    ~PaneGrid() override;

    std::size_t frameCount() const { return frames_.size(); }
    PaneFrame& frame(Pane pane) { return *frames_.at(pane); }
    PaneFrame& activeFrame() { return *frames_.at(std::min(context_.appState.panes().activePane(), frames_.size() - 1)); }
    // The columns the panes take at this width.
    static int columnsAt(int width, int columns);

protected:
    Gtk::SizeRequestMode get_request_mode_vfunc() const override;
    void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                       int& naturalBaseline) const override;
    void size_allocate_vfunc(int width, int height, int baseline) override;

private:
    void reconcile();
    std::vector<PaneFrame*> framesInView() const;
    void followFocus(Pane previous);
    void allocate(Gtk::Widget& child, int x, int y, int width, int height);

    AppContext& context_;
    PagePlacement placement_;
    std::vector<std::unique_ptr<PaneFrame>> frames_;
    std::vector<std::unique_ptr<Gtk::Box>> dividers_;
    Pane shownActive_ = 0;
    Connections connections_;
};

}  // namespace corvina
