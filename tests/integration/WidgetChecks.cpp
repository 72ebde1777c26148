#include "integration/WidgetChecks.hpp"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <gtkmm/label.h>
#include <gtkmm/popover.h>

#include <filesystem>

#include "integration/AppProcess.hpp"
#include "integration/X11Window.hpp"

// Xlib after gtkmm: its macros clash with gtkmm's names.
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <gdk/x11/gdkx.h>

namespace corvina::testing {

bool dropFileOn(GtkWidget* widget) {
    GtkDropTarget* target = nullptr;
    GListModel* controllers = gtk_widget_observe_controllers(widget);
    for (guint i = 0; i < g_list_model_get_n_items(controllers) && !target; ++i) {
        auto* controller = G_OBJECT(g_list_model_get_item(controllers, i));
        if (GTK_IS_DROP_TARGET(controller) && gtk_drop_target_get_gtypes(GTK_DROP_TARGET(controller), nullptr) &&
            gtk_event_controller_get_propagation_phase(GTK_EVENT_CONTROLLER(controller)) == GTK_PHASE_CAPTURE)
            target = GTK_DROP_TARGET(controller);
        g_object_unref(controller);
    }
    g_object_unref(controllers);
    if (!target) return false;

    GFile* file = g_file_new_for_path("/etc/hostname");
    GSList* files = g_slist_append(nullptr, file);
    GValue value = G_VALUE_INIT;
    g_value_init(&value, GDK_TYPE_FILE_LIST);
    g_value_set_boxed(&value, files);
    gboolean accepted = FALSE;
    g_signal_emit_by_name(target, "drop", &value, 10.0, 10.0, &accepted);
    g_value_unset(&value);
    g_slist_free(files);
    g_object_unref(file);
    return accepted;
}

void click(Gtk::Button& button) { g_signal_emit_by_name(button.gobj(), "clicked"); }

void clickWithPointer(Gtk::Widget& widget, double x, double y, int button) {
    auto* window = GTK_WIDGET(gtk_widget_get_root(widget.gobj()));
    // The window's surface may start before its widget (the shadow around a drawn frame).
    double dx = 0, dy = 0;
    gtk_native_get_surface_transform(GTK_NATIVE(window), &dx, &dy);
    graphene_point_t at = GRAPHENE_POINT_INIT(float(x), float(y)), inWindow;
    ASSERT_TRUE(gtk_widget_compute_point(widget.gobj(), window, &at, &inWindow));
    commandOutput("xdotool mousemove --window " + x11WindowID(GTK_WINDOW(window)) + " " +
                  std::to_string(int(inWindow.x + dx)) + " " + std::to_string(int(inWindow.y + dy)) + " click " +
                  std::to_string(button));
}

bool framePainted(Gtk::Widget& widget) {
    GdkFrameClock* clock = gtk_widget_get_frame_clock(widget.gobj());
    if (!clock) return false;
    g_object_ref(clock);
    bool painted = false;
    const gulong handler = g_signal_connect(clock, "after-paint", G_CALLBACK(+[](GdkFrameClock*, bool* done) { *done = true; }),
                                            &painted);
    // A frame with a layout pass, even when nothing asked for one.
    gdk_frame_clock_request_phase(clock, GDK_FRAME_CLOCK_PHASE_LAYOUT);
    const bool done = eventually([&] { return painted; });
    g_signal_handler_disconnect(clock, handler);
    g_object_unref(clock);
    return done;
}

std::optional<unsigned long> screenColourAt(Gtk::Widget& widget, double x, double y) {
    auto* window = GTK_WIDGET(gtk_widget_get_root(widget.gobj()));
    GdkSurface* surface = gtk_native_get_surface(GTK_NATIVE(window));
    double dx = 0, dy = 0;
    gtk_native_get_surface_transform(GTK_NATIVE(window), &dx, &dy);
    graphene_point_t at = GRAPHENE_POINT_INIT(float(x), float(y)), inWindow;
    if (!surface || !gtk_widget_compute_point(widget.gobj(), window, &at, &inWindow)) return std::nullopt;
    Display* display = gdk_x11_display_get_xdisplay(gdk_surface_get_display(surface));
    const double scale = gdk_surface_get_scale_factor(surface);
    int rootX = 0, rootY = 0;
    ::Window child;
    XTranslateCoordinates(display, gdk_x11_surface_get_xid(surface), DefaultRootWindow(display),
                          int((inWindow.x + dx) * scale), int((inWindow.y + dy) * scale), &rootX, &rootY, &child);
    XImage* image = XGetImage(display, DefaultRootWindow(display), rootX, rootY, 1, 1, AllPlanes, ZPixmap);
    if (!image) return std::nullopt;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
}

void movePointer(double x, double y) {
    Display* display = gdk_x11_display_get_xdisplay(gdk_display_get_default());
    XTestFakeMotionEvent(display, -1, int(x), int(y), CurrentTime);
    XFlush(display);
}

namespace {

void collect(GtkWidget* widget, GType type, std::vector<GtkWidget*>& found) {
    if (g_type_is_a(G_OBJECT_TYPE(widget), type)) found.push_back(widget);
    for (GtkWidget* child = gtk_widget_get_first_child(widget); child; child = gtk_widget_get_next_sibling(child))
        collect(child, type, found);
}

}  // namespace

std::vector<GtkWidget*> widgetsOfType(Gtk::Widget& root, GType type) {
    std::vector<GtkWidget*> found;
    collect(root.gobj(), type, found);
    return found;
}

std::vector<GtkWidget*> widgetsWithClass(Gtk::Widget& root, const std::string& cssClass) {
    auto found = widgetsOfType(root, GTK_TYPE_WIDGET);
    std::erase_if(found, [&](GtkWidget* widget) { return !gtk_widget_has_css_class(widget, cssClass.c_str()); });
    return found;
}

std::vector<GtkWidget*> widgetsLabelled(Gtk::Widget& root, const std::string& text) {
    auto found = widgetsOfType(root, GTK_TYPE_WIDGET);
    std::erase_if(found, [&](GtkWidget* widget) {
        const bool label = GTK_IS_LABEL(widget) && text == gtk_label_get_text(GTK_LABEL(widget));
        const char* buttonLabel = GTK_IS_BUTTON(widget) ? gtk_button_get_label(GTK_BUTTON(widget)) : nullptr;
        const char* tooltip = gtk_widget_get_tooltip_text(widget);
        const bool named = screenReaderBackendRuns() && GTK_IS_ACCESSIBLE(widget) &&
                           passes(gtk_test_accessible_check_property(GTK_ACCESSIBLE(widget), GTK_ACCESSIBLE_PROPERTY_LABEL,
                                                                     text.c_str()));
        return !label && !(buttonLabel && text == buttonLabel) && !(tooltip && text == tooltip) && !named;
    });
    return found;
}

bool shownOnScreen(Gtk::Widget& widget) {
    for (GtkWidget* at = widget.gobj(); at; at = gtk_widget_get_parent(at)) {
        if (!gtk_widget_get_visible(at)) return false;
        GtkWidget* parent = gtk_widget_get_parent(at);
        // A revealer hides its child only once it has slid away: what counts is where it goes.
        if (parent && GTK_IS_REVEALER(parent)) {
            if (!gtk_revealer_get_reveal_child(GTK_REVEALER(parent))) return false;
        } else if (!gtk_widget_get_child_visible(at)) {
            return false;
        }
    }
    return true;
}

std::string bubbleText(Gtk::Widget& control) {
    return labelText(widgetOfType<Gtk::Label>(widgetOfType<Gtk::Popover>(control)));
}

std::string labelText(Gtk::Widget& label) {
    if (!GTK_IS_LABEL(label.gobj())) throw std::runtime_error(std::string(G_OBJECT_TYPE_NAME(label.gobj())) + " is no label");
    return gtk_label_get_text(GTK_LABEL(label.gobj()));
}

std::vector<GtkWidget*> windowsWithClass(const std::string& cssClass) {
    GListModel* toplevels = gtk_window_get_toplevels();
    std::vector<GtkWidget*> found;
    for (guint i = 0; i < g_list_model_get_n_items(toplevels); ++i) {
        auto* window = GTK_WIDGET(g_list_model_get_item(toplevels, i));
        if (gtk_widget_has_css_class(window, cssClass.c_str())) found.push_back(window);
        g_object_unref(window);
    }
    return found;
}

GtkFileChooser* openChooser() {
    GListModel* toplevels = gtk_window_get_toplevels();
    GtkFileChooser* found = nullptr;
    for (guint i = 0; i < g_list_model_get_n_items(toplevels) && !found; ++i) {
        auto* window = GTK_WIDGET(g_list_model_get_item(toplevels, i));
        if (GTK_IS_FILE_CHOOSER(window) && gtk_widget_get_visible(window)) found = GTK_FILE_CHOOSER(window);
        g_object_unref(window);
    }
    return found;
}

bool passes(char* mismatch) {
    g_free(mismatch);
    return mismatch == nullptr;
}

bool announcedAs(Gtk::Widget& widget, const std::string& name) {
    return passes(gtk_test_accessible_check_property(GTK_ACCESSIBLE(widget.gobj()), GTK_ACCESSIBLE_PROPERTY_LABEL,
                                                     name.c_str()));
}

std::string misnamed(std::initializer_list<std::pair<Gtk::Widget*, std::string>> expected) {
    std::string listed;
    for (const auto& [widget, name] : expected)
        if (!announcedAs(*widget, name))
            listed += "\n  " + std::string(G_OBJECT_TYPE_NAME(widget->gobj())) + " is not " + name;
    return listed;
}

bool screenReaderBackendRuns() { return g_strcmp0(g_getenv("GTK_A11Y"), "test") == 0; }

void expectPassWithTestBackend() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string self = std::filesystem::read_symlink("/proc/self/exe");
    const auto output = commandOutput("GTK_A11Y=test '" + self + "' --gtest_filter=" + test->test_suite_name() + "." +
                                      test->name() + " 2>&1");
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

}  // namespace corvina::testing
