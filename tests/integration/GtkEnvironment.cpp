#include "integration/GtkEnvironment.hpp"

#include <adwaita.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <gtkmm/init.h>

namespace corvina::testing {

namespace {

DrawingMode chosenMode = DrawingMode::gpu;

// In-process widget tests need the toolkit up once, on this (the main) thread.
class GtkEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(gtk_init_check()) << "no display: run the suite through tests/with-display";
        chosenMode = chooseDrawingMode();
        adw_init();
        Gtk::init_gtkmm_internals();
    }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new GtkEnvironment);

}  // namespace

DrawingMode displayDrawingMode() { return chosenMode; }

}  // namespace corvina::testing
