#include <gtest/gtest.h>

#include <utility>

#include <gtkmm/application.h>

#include "platform/MainQueue.hpp"

using namespace corvina;

namespace {

// Posted work and timers run inside a running application's loop, in order.
TEST(GlibMainQueue, RunsPostedWorkAndTimersInsideTheApplicationLoop) {
    auto app = Gtk::Application::create("app.corvina.QueueTest", Gio::Application::Flags::NON_UNIQUE);
    GlibMainQueue queue;
    std::vector<std::string> order;
    TimerHandle tick, cancelled, stop, giveUp;
    bool released = false;
    const auto finish = [&] {
        if (!std::exchange(released, true)) app->release();
    };
    app->signal_activate().connect([&] {
        app->hold();
        queue.post([&] { order.push_back("posted"); });
        cancelled = queue.after(Milliseconds(10), [&] { order.push_back("cancelled"); });
        tick = queue.every(Milliseconds(20), [&] {
            order.push_back("tick");
            if (order.size() < 3) return;
            tick.reset();
            // A late tick after the reset would show up here before the loop ends.
            stop = queue.after(Milliseconds(60), finish);
        });
        cancelled.reset();
        // However slow the machine, the ticks come; no fixed deadline decides the result.
        giveUp = queue.after(Milliseconds(10000), finish);
    });
    app->run();
    EXPECT_EQ(order, (std::vector<std::string>{"posted", "tick", "tick"}));
}

}  // namespace
