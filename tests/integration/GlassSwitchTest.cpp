#include <gtest/gtest.h>

#include <gtkmm/box.h>
#include <gtkmm/window.h>

#include "integration/AppProcess.hpp"
#include "integration/WidgetChecks.hpp"
#include "integration/X11Window.hpp"
#include "widgets/GlassSwitch.hpp"

using namespace corvina;
using namespace corvina::testing;

namespace {

// A switch bound to a plain flag, shown in a window of its own and driven with the real
// pointer and keyboard.
class GlassSwitchTest : public ::testing::Test {
protected:
    GlassSwitchTest() {
        box.append(glassSwitch);
        window.set_child(box);
        window.set_default_size(200, 100);
        window.present();
        EXPECT_TRUE(eventually([&] { return glassSwitch.get_mapped() && glassSwitch.get_width() > 0; }));
    }
    ~GlassSwitchTest() override { window.destroy(); }

    bool knobSettlesAt(double end) {
        return eventually([&] { return glassSwitch.knobPosition() == end; });
    }
    bool announcedAs(bool on) {
        return passes(gtk_test_accessible_check_state(GTK_ACCESSIBLE(glassSwitch.gobj()), GTK_ACCESSIBLE_STATE_CHECKED,
                                                      on ? GTK_ACCESSIBLE_TRISTATE_TRUE : GTK_ACCESSIBLE_TRISTATE_FALSE));
    }

    bool value = false;
    int writes = 0;
    GlassSwitch glassSwitch{[this] { return value; }, [this](bool on) {
        value = on;
        ++writes;
    }};
    Gtk::Box box;
    Gtk::Window window;
};

// With the screen reader backend throughout, so each new value is checked as announced.
TEST_F(GlassSwitchTest, AChangeElsewhereSlidesTheKnobUnwrittenAndAClickSpaceOrEnterFlipsTheValue) {
    if (!screenReaderBackendRuns()) return expectPassWithTestBackend();
    EXPECT_EQ(gtk_accessible_get_accessible_role(GTK_ACCESSIBLE(glassSwitch.gobj())), GTK_ACCESSIBLE_ROLE_SWITCH);
    EXPECT_TRUE(announcedAs(false));
    EXPECT_FALSE(announcedAs(true)) << "the check itself can fail";
    value = true;
    glassSwitch.refresh();
    EXPECT_TRUE(announcedAs(true));
    EXPECT_EQ(glassSwitch.knobTarget(), 1);
    EXPECT_TRUE(eventually([&] { return glassSwitch.knobPosition() > 0 && glassSwitch.knobPosition() < 1; }))
        << "the knob slides rather than jumps";
    EXPECT_TRUE(knobSettlesAt(1));
    EXPECT_EQ(writes, 0);

    EXPECT_EQ((std::pair{glassSwitch.get_width(), glassSwitch.get_height()}),
              (std::pair{GlassSwitch::trackWidth, GlassSwitch::trackHeight}));
    clickWithPointer(glassSwitch, 28, 9);  // on the knob
    ASSERT_TRUE(eventually([&] { return !value; }));
    EXPECT_EQ(glassSwitch.knobTarget(), 0);
    EXPECT_TRUE(knobSettlesAt(0));
    EXPECT_TRUE(announcedAs(false));
    clickWithPointer(glassSwitch, 4, 9);  // the leading end, away from where the knob goes
    ASSERT_TRUE(eventually([&] { return value; }));
    EXPECT_TRUE(knobSettlesAt(1));
    ASSERT_TRUE(glassSwitch.grab_focus());
    pressKeys(window.gobj(), "space");
    ASSERT_TRUE(eventually([&] { return !value; }));
    pressKeys(window.gobj(), "Return");
    ASSERT_TRUE(eventually([&] { return value; }));
    EXPECT_EQ(writes, 4);
}

}  // namespace
