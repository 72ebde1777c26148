#include "widgets/Spring.hpp"

#include <cmath>

namespace corvina {

SpringValue::SpringValue(Gtk::Widget& widget, SpringCurve curve, double initial, std::function<void(double)> apply)
    : apply_(std::move(apply)), value_(initial), target_(initial) {
    // Mass 1 and stiffness (2π / response)², damping ratio = damping fraction.
    const double stiffness = std::pow(2 * M_PI / curve.response, 2);
    AdwAnimationTarget* target = adw_callback_animation_target_new(onValue, this, nullptr);
    animation_ = adw_spring_animation_new(widget.gobj(), initial, initial,
                                          adw_spring_params_new(curve.dampingFraction, 1.0, stiffness), target);
    adw_spring_animation_set_clamp(ADW_SPRING_ANIMATION(animation_), FALSE);
}

SpringValue::~SpringValue() {
    adw_animation_skip(animation_);
    g_object_unref(animation_);
}

void SpringValue::onValue(double value, gpointer self) {
    auto* spring = static_cast<SpringValue*>(self);
    spring->value_ = value;
    if (spring->apply_) spring->apply_(value);
}

void SpringValue::animateTo(double to) {
    if (to == target_) return;
    target_ = to;
    auto* spring = ADW_SPRING_ANIMATION(animation_);
    adw_spring_animation_set_value_from(spring, value_);
    adw_spring_animation_set_value_to(spring, to);
    adw_spring_animation_set_initial_velocity(spring, adw_spring_animation_get_velocity(spring));
    adw_animation_play(animation_);
}

void SpringValue::set(double value) {
    target_ = value;
    adw_animation_reset(animation_);
    auto* spring = ADW_SPRING_ANIMATION(animation_);
    adw_spring_animation_set_value_from(spring, value);
    adw_spring_animation_set_value_to(spring, value);
    onValue(value, this);
}

}  // namespace corvina
