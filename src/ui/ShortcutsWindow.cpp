#include "ui/ShortcutsWindow.hpp"

#include <string>

#include "ui/MenuCommands.hpp"

namespace corvina {

namespace {

std::string escaped(const std::string& text) {
    char* escaped = g_markup_escape_text(text.c_str(), -1);
    std::string out = escaped;
    g_free(escaped);
    return out;
}

std::string property(const char* name, const std::string& value) {
    return std::string("<property name=\"") + name + "\">" + escaped(value) + "</property>";
}

// The toolkit builds this window only from a description.
std::string description(AppLanguage language) {
    std::string ui = "<interface><object class=\"GtkShortcutsWindow\" id=\"window\">" +
                     property("title", MenuCommands::shortcutsTitle.in(language)) +
                     "<property name=\"modal\">true</property>"
                     "<child><object class=\"GtkShortcutsSection\">"
                     "<property name=\"section-name\">corvina</property>"
                     // Lines per column: enough that every key fits on one page.
                     "<property name=\"max-height\">17</property>" +
                     property("title", MenuCommands::shortcutsTitle.in(language));
    for (const auto& group : MenuCommands::shortcutGroups(language)) {
        ui += "<child><object class=\"GtkShortcutsGroup\">" + property("title", group.title);
        for (const auto& shortcut : group.shortcuts) {
            ui += "<child><object class=\"GtkShortcutsShortcut\">" + property("title", shortcut.title) +
                  property("accelerator", shortcut.accelerators) + "</object></child>";
        }
        ui += "</object></child>";
    }
    return ui + "</object></child></object></interface>";
}

// The toolkit titles the window's header with its own text in the process's locale; the
// header says ours, in the interface language.
void retitleHeader(GtkWidget* widget, const std::string& title) {
    if (GTK_IS_LABEL(widget) && *gtk_label_get_text(GTK_LABEL(widget))) gtk_label_set_text(GTK_LABEL(widget), title.c_str());
    for (GtkWidget* child = gtk_widget_get_first_child(widget); child; child = gtk_widget_get_next_sibling(child))
        retitleHeader(child, title);
}

}  // namespace

ShortcutsWindow::~ShortcutsWindow() { close(); }

void ShortcutsWindow::present(Gtk::Window& parent, AppLanguage language) {
    close();
    GtkBuilder* builder = gtk_builder_new_from_string(description(language).c_str(), -1);
    window_ = GTK_WINDOW(g_object_ref(gtk_builder_get_object(builder, "window")));
    g_object_unref(builder);
    if (GtkWidget* header = gtk_window_get_titlebar(window_); header && GTK_IS_HEADER_BAR(header)) {
        if (GtkWidget* title = gtk_header_bar_get_title_widget(GTK_HEADER_BAR(header)))
            retitleHeader(title, MenuCommands::shortcutsTitle.in(language));
    }
    gtk_window_set_transient_for(window_, parent.gobj());
    gtk_window_present(window_);
}

void ShortcutsWindow::close() {
    if (!window_) return;
    gtk_window_destroy(window_);
    g_clear_object(&window_);
}

}  // namespace corvina
