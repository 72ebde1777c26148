#pragma once
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <gtk/gtk.h>
#include <gtkmm/button.h>

namespace corvina::testing {

// What a pointer click does, at once (keyboard activation waits for the pressed look).
void click(Gtk::Button& button);

// A real click from the X server (xdotool's button number) at a point of a shown widget,
// in the widget's own coordinates.
void clickWithPointer(Gtk::Widget& widget, double x, double y, int button = 1);

// Waits until the widget's window has laid out and drawn a frame begun after this call, so
// that what changed before it has its place on screen. False if none came in time (or the
// widget is not shown).
bool framePainted(Gtk::Widget& widget);

// The colour on screen (0xRRGGBB) at a point of a shown widget, in the widget's own
// coordinates, as the X server shows it: what the user sees, not what the widget believes.
std::optional<unsigned long> screenColourAt(Gtk::Widget& widget, double x, double y);

// Moves the real pointer to a point of the screen, as a user's hand would.
void movePointer(double x, double y);
// Hands the widget's capturing file-drop handler a list of one file, as a drag from a file
// manager would; whether the handler took it.
bool dropFileOn(GtkWidget* widget);

// The widgets of `type` inside `root` (itself included), in the order a depth-first walk
// meets them: a test reaches controls as the user does, without accessors for tests.
std::vector<GtkWidget*> widgetsOfType(Gtk::Widget& root, GType type);

// The widgets inside `root` (itself included) carrying the CSS class, in the same order.
std::vector<GtkWidget*> widgetsWithClass(Gtk::Widget& root, const std::string& cssClass);

// The widgets inside `root` whose own text is `text`: a label's text, a button's label or
// the widget's tooltip, what the user reads on or over it, or, where GTK's test backend
// runs, the name screen readers get (the test display runs none).
std::vector<GtkWidget*> widgetsLabelled(Gtk::Widget& root, const std::string& text);

// The widget itself or the nearest widget above it (up to `root`) that is a T, if any.
template <typename T>
T* enclosing(GtkWidget* widget, Gtk::Widget& root) {
    for (GtkWidget* at = widget; at; at = gtk_widget_get_parent(at)) {
        if (auto* found = dynamic_cast<T*>(Glib::wrap(at))) return found;
        if (at == root.gobj()) break;
    }
    return nullptr;
}

// The first T inside `root`; throws (failing the test) when there is none.
template <typename T>
T& widgetOfType(Gtk::Widget& root) {
    for (GtkWidget* widget : widgetsOfType(root, GTK_TYPE_WIDGET))
        if (auto* found = dynamic_cast<T*>(Glib::wrap(widget))) return *found;
    throw std::runtime_error("no widget of the type asked for");
}

// The widget with the CSS class at `place` inside `root` (the first by default), as a T;
// throws (failing the test) when there is none.
template <typename T = Gtk::Widget>
T& widgetWithClass(Gtk::Widget& root, const std::string& cssClass, std::size_t place = 0) {
    const auto found = widgetsWithClass(root, cssClass);
    if (place >= found.size()) throw std::runtime_error("no widget with class " + cssClass);
    return dynamic_cast<T&>(*Glib::wrap(found[place]));
}

// The first T labelled `text` inside `root`, or holding such a label (a button and its
// text, a control and its tooltip); throws (failing the test) when there is none.
template <typename T = Gtk::Widget>
T& widgetLabelled(Gtk::Widget& root, const std::string& text) {
    for (GtkWidget* widget : widgetsLabelled(root, text))
        if (auto* found = enclosing<T>(widget, root)) return *found;
    throw std::runtime_error("nothing labelled " + text);
}

// Whether the user can see the widget: it and every widget above it are visible, each
// revealer on the way reveals it, and each stack or layer on the way shows it.
bool shownOnScreen(Gtk::Widget& widget);

// The text a label shows.
std::string labelText(Gtk::Widget& label);
// The text of the bubble a control carries for the pointer (its first popover).
std::string bubbleText(Gtk::Widget& control);

// The application's windows carrying the CSS class, oldest first.
std::vector<GtkWidget*> windowsWithClass(const std::string& cssClass);

// The file chooser dialog that is open now, if any.
GtkFileChooser* openChooser();

// Whether a gtk_test_accessible_check_* call found no mismatch (frees its answer).
bool passes(char* mismatch);

// Whether screen readers get `name` for the widget (needs GTK's test backend).
bool announcedAs(Gtk::Widget& widget, const std::string& name);

// The widgets of `expected` screen readers do not get the paired name for, listed.
std::string misnamed(std::initializer_list<std::pair<Gtk::Widget*, std::string>> expected);

// Names for screen readers are kept only where an accessibility backend runs, and the test
// display runs none: such checks run again in a child process with GTK's test backend.
bool screenReaderBackendRuns();
void expectPassWithTestBackend();

}  // namespace corvina::testing
