#include <gtest/gtest.h>

#include <gtkmm/window.h>

#include "integration/AppProcess.hpp"
#include "integration/GtkEnvironment.hpp"

using namespace corvina;
using namespace corvina::testing;

// The test display is a virtual X server: its OpenGL, when it has one, is a software
// rasteriser, so windows must come up on the CPU renderer.
TEST(DrawingModeTest, AVirtualDisplayDrawsWindowsOnTheCpu) {
    ASSERT_EQ(displayDrawingMode(), DrawingMode::cpu);
    Gtk::Window window;
    window.set_default_size(120, 80);
    window.present();
    ASSERT_TRUE(eventually([&] { return window.get_mapped(); }));
    GskRenderer* renderer = gtk_native_get_renderer(GTK_NATIVE(window.gobj()));
    ASSERT_NE(renderer, nullptr);
    EXPECT_STREQ(G_OBJECT_TYPE_NAME(renderer), "GskCairoRenderer");
    window.destroy();
}
