#include "platform/MainQueue.hpp"

#include <glibmm/main.h>

namespace corvina {

void GlibMainQueue::post(std::function<void()> work) {
    Glib::signal_idle().connect_once(std::move(work));
}

TimerHandle GlibMainQueue::after(Milliseconds delay, std::function<void()> work) {
    auto once = [work = std::move(work)] {
        work();
        return false;
    };
    // No delay means "when idle": after pending input and drawing, not before them.
    auto connection = delay.count() == 0
                          ? Glib::signal_idle().connect(std::move(once))
                          : Glib::signal_timeout().connect(std::move(once), static_cast<unsigned>(delay.count()));
    return TimerHandle([connection]() mutable { connection.disconnect(); });
}

TimerHandle GlibMainQueue::every(Milliseconds interval, std::function<void()> work) {
    auto connection = Glib::signal_timeout().connect(
        [work = std::move(work)] {
            work();
            return true;
        },
        static_cast<unsigned>(interval.count()));
    return TimerHandle([connection]() mutable { connection.disconnect(); });
}

}  // namespace corvina
