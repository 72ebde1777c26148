#include "ui/MainWindow.hpp"

#include "app/AppState.hpp"
#include "app/AskSeveral.hpp"
#include "app/LocalizationManager.hpp"
#include "ui/MenuCommands.hpp"
#include "ui/PromptFileChoosers.hpp"

namespace corvina {

MainWindow::MainWindow(AppContext& context, const Glib::RefPtr<Gio::Menu>& appMenu)
    : context_(context), topStrip_(context, appMenu), toolbar_(context), settingsPanel_(context),
      clipboardPanel_(context), customTagsPanel_(context), promptsPanel_(context),
      contentView_(context, DetailViews{toolbar_, settingsPanel_, clipboardPanel_, customTagsPanel_, promptsPanel_}) {
    set_title("Corvina");
    set_icon_name(CORVINA_APP_ID);
    add_css_class("corvina-main");
    set_default_size(1280, 820);
    set_titlebar(topStrip_);
    content_.set_size_request(minimumWidth, minimumHeight);
    content_.add_css_class("content-area");
    layers_.set_child(backdrop_);
    layers_.add_overlay(content_);
    layers_.set_measure_overlay(content_, true);
    contentView_.set_expand(true);
    content_.append(contentView_);
    set_child(layers_);
    add_controller(MenuCommands::captureShortcuts());
    connectPromptsPanel();
    signal_realize().connect([this] { watchMinimized(); });
    signal_unrealize().connect([this] { unwatchMinimized(); });
}

MainWindow::~MainWindow() { unwatchMinimized(); }

// "Use" puts a prompt into the composer, opened for it; files are chosen in dialogs of this window.
void MainWindow::connectPromptsPanel() {
    promptsPanel_.setHooks({
        [this](const Prompt& prompt) {
            context_.askSeveral.setOpen(true);
            contentView_.askSeveralBar().usePrompt(prompt);
        },
        [this] { importPromptFiles(*this, context_.localization.language(), context_.prompts); },
        [this] { importPromptFolder(*this, context_.localization.language(), context_.prompts); },
        [this](const std::vector<std::string>& names) {
            exportPrompts(*this, context_.localization.language(), context_.prompts, names);
        },
    });
}

void MainWindow::findInPage() {
    contentView_.panes().activeFrame().container().findBar().open();
}

// A minimised window shows nothing: its pages rest until it is restored.
void MainWindow::watchMinimized() {
    unwatchMinimized();
    surface_ = GDK_SURFACE(g_object_ref(gtk_native_get_surface(GTK_NATIVE(gobj()))));
    stateChanged_ = SignalConnection(
        surface_, "notify::state", +[](GObject* surface, GParamSpec*, gpointer self) {
            const auto state = gdk_toplevel_get_state(GDK_TOPLEVEL(surface));
            static_cast<MainWindow*>(self)->context_.appState.setWindowMinimized(
                (state & GDK_TOPLEVEL_STATE_MINIMIZED) != 0);
        },
        this);
}

void MainWindow::unwatchMinimized() {
    if (!surface_) return;
    stateChanged_.disconnect();
    g_clear_object(&surface_);
    context_.appState.setWindowMinimized(false);
}

}  // namespace corvina
