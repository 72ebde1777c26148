#pragma once
#include <cairo.h>
#include <gtkmm/widget.h>

namespace corvina {

// The window's soft background (blue, purple, pink, cyan from the top left to the bottom
// right) as the part of it under this widget. Drawn once per window size and theme into a
// picture, since a page that animates makes the window draw everything under it again,
// and on the CPU a gradient costs far more per frame than a copy.
class WindowBackdrop : public Gtk::Widget {
public:
    WindowBackdrop();
    ~WindowBackdrop() override;

protected:
    void snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) override;

private:
    cairo_surface_t* picture_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    GdkRGBA background_{};
};

}  // namespace corvina
