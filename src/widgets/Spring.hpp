#pragma once
#include <functional>

#include <adwaita.h>
#include <gtkmm/widget.h>

namespace corvina {

// A spring given as the interface speaks of it: a response time and a damping fraction.
struct SpringCurve {
    double response;
    double dampingFraction;
};

inline constexpr SpringCurve panelSpring{0.4, 1.0};

// Animates one value from where it is to `to` on `widget`'s frame clock, calling `apply`
// each frame. Starting again from the current value retargets smoothly.
class SpringValue {
public:
    SpringValue(Gtk::Widget& widget, SpringCurve curve, double initial, std::function<void(double)> apply);
    ~SpringValue();
    SpringValue(const SpringValue&) = delete;
    SpringValue& operator=(const SpringValue&) = delete;

    void animateTo(double to);
    // Jumps without animation (first layout, or tests).
    void set(double value);
    double value() const { return value_; }
    double target() const { return target_; }

private:
    static void onValue(double value, gpointer self);

    AdwAnimation* animation_ = nullptr;
    std::function<void(double)> apply_;
    double value_;
    double target_;
};

}  // namespace corvina
