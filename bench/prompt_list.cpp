// Keystroke to list updated in the composer's prompt list, with 1,000 prompts in the
// library: real key presses from the X server (xdotool), timed from the key's arrival in
// the window to the end of the first frame painted after the field changed.
// Prints prompt_list_keystroke_median_ms=… and prompt_list_keystroke_worst_ms=…; then, with
// the same library, one file saved from outside to the list updated (median of 20), and a
// folder of 1,000 prompts imported: prompt_outside_edit_ms=… and prompt_import_1000_ms=…
#include <adwaita.h>
#include <gtkmm/eventcontrollerkey.h>
#include <gtkmm/init.h>
#include <gtkmm/textview.h>
#include <gtkmm/window.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>

#include "app/PromptFile.hpp"
#include "pane/PopupWindow.hpp"
#include "platform/AtomicFile.hpp"
#include "support/Fakes.hpp"
#include "ui/AskSeveralBar.hpp"
#include "web/AppCore.hpp"

// After the toolkit's C++ headers, which Xlib's macros would break.
#include <gdk/x11/gdkx.h>

using namespace corvina;
using namespace corvina::testing;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int promptCount = 1000;
const char* const topics[] = {"review", "translate", "summarise", "explain", "plan", "rewrite", "compare", "outline"};

void writeLibrary(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    for (int i = 0; i < promptCount; ++i) {
        const std::string topic = topics[i % 8];
        const std::string title = "Prompt " + std::to_string(i) + " " + topic;
        const std::string text = "Please " + topic + " the following text for {{audience:readers|experts}}, keeping " +
                                 "its meaning and tone, and say what you changed and why:\n\n{{clipboard}}";
        writeFileAtomically(folder / (title + ".md"), formatPromptFile({title, text, {}}), 0644);
    }
}

bool runUntil(const std::function<bool()>& done, std::chrono::seconds limit) {
    const auto deadline = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > deadline) return false;
        g_main_context_iteration(nullptr, TRUE);
    }
    return true;
}

}  // namespace

int main() {
    if (!gtk_init_check()) {
        std::fprintf(stderr, "prompt_list: no display\n");
        return 1;
    }
    const DrawingMode drawing = chooseDrawingMode();
    adw_init();
    Gtk::init_gtkmm_internals();

    TempDir dir;
    writeLibrary(dir / "prompts");
    GlibMainQueue queue;
    FakePasteboard pasteboard;
    FakeLoginItem login;
    FakeDesktopDefaults desktop;
    FakeUriLauncher launcher;
    FakeDesktopNotifier notifier;
    FakeNetworkState network;
    AppCore core{AppSurroundings{queue, dir / "preferences.json", pasteboard, login, desktop, dir / "Downloads",
                                 WebViewStore::Folders{dir / "web", dir / "cache"}, drawing,
                                 WebViewStore::Desktop{launcher, notifier, network, PopupWindow::maker()},
                                 [] { return true; }, dir / "prompts"}};
    if (core.prompts.entries().get().size() != promptCount) {
        std::fprintf(stderr, "prompt_list: library has %zu prompts\n", core.prompts.entries().get().size());
        return 1;
    }

    Gtk::Window window;
    AskSeveralBar bar(core.context);
    window.set_child(bar);
    window.set_default_size(1000, 700);
    window.present();
    runUntil([&] { return window.get_mapped(); }, std::chrono::seconds(10));
    bar.focusField();

    std::optional<Clock::time_point> keyArrived;
    bool changed = false;
    std::vector<double> samples;
    auto keys = Gtk::EventControllerKey::create();
    keys->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
    keys->signal_key_pressed().connect(
        [&](guint, guint, Gdk::ModifierType) {
            keyArrived = Clock::now();
            return false;
        },
        false);
    window.add_controller(keys);
    auto* field = dynamic_cast<Gtk::TextView*>(window.get_focus());
    if (!field) return 1;
    field->get_buffer()->signal_changed().connect([&] { changed = true; });
    GdkFrameClock* clock = gtk_widget_get_frame_clock(GTK_WIDGET(window.gobj()));
    struct Probe {
        std::optional<Clock::time_point>* arrived;
        bool* changed;
        std::vector<double>* samples;
    } probe{&keyArrived, &changed, &samples};
    g_signal_connect(clock, "after-paint", G_CALLBACK(+[](GdkFrameClock*, Probe* p) {
                         if (!*p->arrived || !*p->changed) return;
                         p->samples->push_back(
                             std::chrono::duration<double, std::milli>(Clock::now() - **p->arrived).count());
                         p->arrived->reset();
                         *p->changed = false;
                     }),
                     &probe);

    const std::string xid = std::to_string(gdk_x11_surface_get_xid(gtk_native_get_surface(GTK_NATIVE(window.gobj()))));
    g_spawn_command_line_sync(("xdotool windowfocus --sync " + xid).c_str(), nullptr, nullptr, nullptr, nullptr);
    const std::vector<std::string> strokes = {"slash", "p", "r", "o", "BackSpace", "BackSpace", "BackSpace",
                                              "e", "x", "BackSpace", "BackSpace", "1", "2", "BackSpace", "BackSpace"};
    for (int round = 0; round < 4; ++round) {
        for (const auto& key : strokes) {
            const std::size_t before = samples.size();
            g_spawn_command_line_async(("xdotool key " + key).c_str(), nullptr);
            if (!runUntil([&] { return samples.size() > before; }, std::chrono::seconds(5))) {
                std::fprintf(stderr, "prompt_list: no frame after %s\n", key.c_str());
                return 1;
            }
        }
        // An empty field for the next round's `/`.
        g_spawn_command_line_async("xdotool key Escape BackSpace", nullptr);
        runUntil([&] { return field->get_buffer()->size() == 0; }, std::chrono::seconds(5));
        keyArrived.reset();
        changed = false;
    }
    std::sort(samples.begin(), samples.end());
    std::printf("prompt_list_keystroke_median_ms=%.1f\n", samples[samples.size() / 2]);
    std::printf("prompt_list_keystroke_worst_ms=%.1f\n", samples.back());
    std::printf("prompt_list_samples=%zu\n", samples.size());

    std::vector<double> edits;
    for (int i = 0; i < 20; ++i) {
        const std::string text = "Edited from outside, time " + std::to_string(i);
        const auto start = Clock::now();
        writeFileAtomically(dir / "prompts" / "Prompt 500 plan.md",
                            formatPromptFile({"Prompt 500 plan", text, {}}), 0644);
        if (!runUntil([&] { return core.prompts.find("Prompt 500 plan.md")->prompt.text == text; },
                      std::chrono::seconds(10))) {
            std::fprintf(stderr, "prompt_list: the edit from outside was not picked up\n");
            return 1;
        }
        edits.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(edits.begin(), edits.end());
    std::printf("prompt_outside_edit_ms=%.1f\n", edits[edits.size() / 2]);

    writeLibrary(dir / "to import");
    const auto start = Clock::now();
    const auto imported = core.prompts.importFrom({dir / "to import"});
    const double importMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (imported != promptCount || core.prompts.entries().get().size() != 2 * promptCount) {
        std::fprintf(stderr, "prompt_list: imported %zu\n", imported);
        return 1;
    }
    std::printf("prompt_import_1000_ms=%.0f\n", importMs);
    return 0;
}
