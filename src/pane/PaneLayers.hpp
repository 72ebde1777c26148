#pragma once
#include <gtkmm/widget.h>

namespace corvina {

// The pages of one pane laid on top of each other at full size. Only the shown page, and
// at most one page made ready under it, are mapped: the engine draws mapped pages only,
// and keeps hidden ones at rest. A page made ready is drawn, covered, so that showing it
// next needs no wait for the engine to draw it first.
class PaneLayers : public Gtk::Widget {
public:
    PaneLayers();
    ~PaneLayers() override;

    void add(GtkWidget* page);
    void remove(GtkWidget* page);
    // Puts `page` on top, the only page the user sees and reaches.
    void show(GtkWidget* page);
    // Maps `page` under the shown one, out of reach of clicks and focus, or, for nullptr,
    // unmaps the page made ready before.
    void prepare(GtkWidget* page);
    // While the window is out of sight every page is hidden, so every page rests.
    void setConcealed(bool concealed);
    GtkWidget* shown() const;

private:
    bool owns(GtkWidget* page) const;
    void release(GtkWidget*& page);
    void reveal(GtkWidget* page);
    void announce(GtkWidget* page);

    GtkWidget* shown_ = nullptr;
    GtkWidget* prepared_ = nullptr;
    bool concealed_ = false;
};

}  // namespace corvina
