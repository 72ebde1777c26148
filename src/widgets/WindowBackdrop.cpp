#include "widgets/WindowBackdrop.hpp"

#include <array>
#include <cmath>

#include <gtk/gtk.h>
#include <gtkmm/snapshot.h>

namespace corvina {

namespace {

struct Stop {
    double red, green, blue, alpha;
};
constexpr std::array<Stop, 4> stops{{{0, 0.478, 1, 0.30}, {0.686, 0.322, 0.871, 0.20}, {1, 0.176, 0.333, 0.15},
                                     {0.196, 0.678, 0.902, 0.10}}};

// The background over the window's colour, with the geometry of a CSS gradient "to bottom
// right": its line is at right angles to the diagonal through the other two corners.
cairo_surface_t* drawBackdrop(int width, int height, int scale, const GdkRGBA& background) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * scale, height * scale);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
    gdk_cairo_set_source_rgba(cr, &background);
    cairo_paint(cr);
    const double w = width, h = height, diagonal = std::hypot(w, h);
    const double half = w * h / diagonal;
    const double dx = h / diagonal * half, dy = w / diagonal * half;
    cairo_pattern_t* gradient = cairo_pattern_create_linear(w / 2 - dx, h / 2 - dy, w / 2 + dx, h / 2 + dy);
    for (std::size_t i = 0; i < stops.size(); ++i) {
        const auto& s = stops[i];
        cairo_pattern_add_color_stop_rgba(gradient, double(i) / (stops.size() - 1), s.red, s.green, s.blue, s.alpha);
    }
    cairo_set_source(cr, gradient);
    cairo_paint(cr);
    cairo_pattern_destroy(gradient);
    cairo_destroy(cr);
    cairo_surface_set_device_scale(surface, scale, scale);
    return surface;
}

}  // namespace

WindowBackdrop::WindowBackdrop() {
    set_can_target(false);
    set_can_focus(false);
}

WindowBackdrop::~WindowBackdrop() {
    if (picture_) cairo_surface_destroy(picture_);
}

void WindowBackdrop::snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) {
    GtkWidget* self = GTK_WIDGET(gobj());
    GtkWidget* window = GTK_WIDGET(gtk_widget_get_root(self));
    if (!window) return;
    const int width = gtk_widget_get_width(window), height = gtk_widget_get_height(window);
    graphene_point_t origin;
    if (width <= 0 || height <= 0 || !gtk_widget_compute_point(self, window, graphene_point_zero(), &origin)) return;

    GdkRGBA background{1, 1, 1, 1};
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_style_context_lookup_color(gtk_widget_get_style_context(self), "window_bg_color", &background);
    G_GNUC_END_IGNORE_DEPRECATIONS
    if (!picture_ || width != width_ || height != height_ || !gdk_rgba_equal(&background, &background_)) {
        if (picture_) cairo_surface_destroy(picture_);
        picture_ = drawBackdrop(width, height, gtk_widget_get_scale_factor(self), background);
        width_ = width;
        height_ = height;
        background_ = background;
    }
    // A drawing node, not a texture: the toolkit keeps its surface between frames, where it
    // would convert a texture again for every frame.
    const graphene_rect_t bounds = GRAPHENE_RECT_INIT(0, 0, float(get_width()), float(get_height()));
    cairo_t* cr = gtk_snapshot_append_cairo(snapshot->gobj(), &bounds);
    cairo_set_source_surface(cr, picture_, -origin.x, -origin.y);
    cairo_paint(cr);
    cairo_destroy(cr);
}

}  // namespace corvina
