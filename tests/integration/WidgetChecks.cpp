#include "integration/WidgetChecks.hpp"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <filesystem>

#include "integration/AppProcess.hpp"

namespace corvina::testing {

void click(Gtk::Button& button) { g_signal_emit_by_name(button.gobj(), "clicked"); }

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

bool announcedAs(Gtk::Widget& widget, const std::string& name) {
    char* mismatch = gtk_test_accessible_check_property(GTK_ACCESSIBLE(widget.gobj()), GTK_ACCESSIBLE_PROPERTY_LABEL,
                                                        name.c_str());
    g_free(mismatch);
    return mismatch == nullptr;
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
