#pragma once
#include <gtk/gtk.h>
#include <gtkmm/window.h>

#include "app/AppLanguage.hpp"

namespace corvina {

// The keyboard-shortcuts window (Ctrl+? and the app menu), listing the app's commands in
// the interface language. Made anew each time it opens, so it follows a language change.
class ShortcutsWindow {
public:
    ShortcutsWindow() = default;
    ~ShortcutsWindow();
    ShortcutsWindow(const ShortcutsWindow&) = delete;
    ShortcutsWindow& operator=(const ShortcutsWindow&) = delete;

    void present(Gtk::Window& parent, AppLanguage language);
    // The open window, for tests; null before the first opening.
    GtkWindow* window() const { return window_; }

private:
    void close();

    GtkWindow* window_ = nullptr;
};

}  // namespace corvina
