#include <adwaita.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <gtkmm/init.h>

namespace {

// In-process widget tests need the toolkit up once, on this (the main) thread.
class GtkEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(gtk_init_check()) << "no display: run the suite through tests/with-display";
        adw_init();
        Gtk::init_gtkmm_internals();
    }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new GtkEnvironment);

}  // namespace
