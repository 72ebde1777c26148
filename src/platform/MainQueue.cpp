#include "platform/MainQueue.hpp"

#include <glib.h>

namespace corvina {

namespace {

struct Work {
    std::function<void()> function;
    bool repeats;
};

gboolean run(gpointer data) {
    auto* work = static_cast<Work*>(data);
    work->function();
    return work->repeats ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
}

void destroy(gpointer data) { delete static_cast<Work*>(data); }

// Always the global default context: engine callbacks may run while another context is
// the thread's default, and work attached there would never run.
guint attach(GSource* source, std::function<void()> function, bool repeats) {
    g_source_set_priority(source, G_PRIORITY_DEFAULT);
    g_source_set_callback(source, run, new Work{std::move(function), repeats}, destroy);
    const guint id = g_source_attach(source, g_main_context_default());
    g_source_unref(source);
    return id;
}

TimerHandle cancellable(guint id) {
    // An id is never reused while its source is alive; a finished one-shot is already gone.
    return TimerHandle([id] {
        if (GSource* source = g_main_context_find_source_by_id(g_main_context_default(), id)) g_source_destroy(source);
    });
}

}  // namespace

void GlibMainQueue::post(std::function<void()> work) { attach(g_idle_source_new(), std::move(work), false); }

TimerHandle GlibMainQueue::after(Milliseconds delay, std::function<void()> work) {
    return cancellable(attach(g_timeout_source_new(static_cast<guint>(delay.count())), std::move(work), false));
}

TimerHandle GlibMainQueue::every(Milliseconds interval, std::function<void()> work) {
    return cancellable(attach(g_timeout_source_new(static_cast<guint>(interval.count())), std::move(work), true));
}

Milliseconds GlibMainQueue::now() const { return Milliseconds{g_get_monotonic_time() / 1000}; }

}  // namespace corvina
