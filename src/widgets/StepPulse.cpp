#include "widgets/StepPulse.hpp"

namespace corvina {

void StepPulse::run(bool on) {
    if (on == beat_.active()) return;
    if (!on) {
        beat_.reset();
        root_.remove_css_class(faintClass);
        return;
    }
    beat_ = queue_.every(step, [this] {
        root_.has_css_class(faintClass) ? root_.remove_css_class(faintClass) : root_.add_css_class(faintClass);
    });
}

}  // namespace corvina
