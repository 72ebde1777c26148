#pragma once
#include <functional>

#include <gtkmm/eventcontrollerkey.h>
#include <gtkmm/eventcontrollermotion.h>
#include <gtkmm/gestureclick.h>
#include <gtkmm/widget.h>

#include "platform/Observable.hpp"
#include "widgets/Spring.hpp"

namespace corvina {

// A compact on/off switch: a glass track with a knob that springs from end to end. The
// value belongs to the caller, read and written through the two functions it gives.
class GlassSwitch : public Gtk::Widget {
public:
    static constexpr int trackWidth = 32;
    static constexpr int trackHeight = 18;
    static constexpr int knobSize = 14;
    static constexpr SpringCurve knobSpring{0.35, 0.75};

    GlassSwitch(std::function<bool()> get, std::function<void(bool)> set);
    ~GlassSwitch() override;

    // Call when the value changed elsewhere: the knob slides to match it.
    void refresh();
    bool isOn() const { return get_(); }
    // 0 at the leading end, 1 at the trailing end; moves while the spring runs.
    double knobPosition() const { return knob_.value(); }
    double knobTarget() const { return knob_.target(); }

protected:
    Gtk::SizeRequestMode get_request_mode_vfunc() const override;
    void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                       int& naturalBaseline) const override;
    void snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) override;

private:
    void connectInput();
    void flip();
    void setHovered(bool hovered);
    void redraw();
    bool onKeyPressed(guint keyval);
    static void onHoverValue(double value, gpointer self);

    std::function<bool()> get_;
    std::function<void(bool)> set_;
    SpringValue knob_;
    AdwAnimation* hoverFade_ = nullptr;
    double hover_ = 0;
    Glib::RefPtr<Gtk::GestureClick> click_;
    Glib::RefPtr<Gtk::EventControllerMotion> motion_;
    Glib::RefPtr<Gtk::EventControllerKey> keys_;
    Connections connections_;
};

}  // namespace corvina
