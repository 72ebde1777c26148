#include "CorvinaApplication.hpp"

#include <algorithm>

#include <adwaita.h>

#include "app/CommandLine.hpp"
#include "pane/PopupWindow.hpp"
#include "platform/DrawingMode.hpp"
#include "platform/StandardInput.hpp"
#include "platform/XdgPaths.hpp"
#include "ui/AnswersFileChooser.hpp"
#include "ui/DownloadFolderChooser.hpp"
#include "ui/MainWindow.hpp"
#include "ui/MenuCommands.hpp"
#include "ui/SettingsWindow.hpp"
#include "ui/WindowPresenter.hpp"
#include "web/asks/PageNotifications.hpp"
#include "widgets/Styles.hpp"
#include "window/WindowSetup.hpp"

namespace corvina {

Glib::RefPtr<CorvinaApplication> CorvinaApplication::create() {
    return Glib::make_refptr_for_instance(new CorvinaApplication());
}

CorvinaApplication::CorvinaApplication() : Gtk::Application(CORVINA_APP_ID, Gio::Application::Flags::HANDLES_COMMAND_LINE) {
    // Notification servers name the sender by this, not by the program's file name.
    g_set_application_name("Corvina");
}

CorvinaApplication::~CorvinaApplication() = default;

void CorvinaApplication::on_startup() {
    Gtk::Application::on_startup();
    // Before the style library replaces the toolkit's theme settings with its own.
    desktopDefaults_ = std::make_unique<SystemDesktopDefaults>();
    adw_init();
    installStylesAndIcons();
    createState();

    appMenu_ = Gio::Menu::create();
    MenuCommands::install(*this, core_->state, core_->webViews, core_->settings.pageZoom(),
                          {[this] { openSettings(); },
                           [this] {
                               if (mainWindow_) shortcutsWindow_.present(*mainWindow_, core_->localization.language());
                           },
                           [this] {
                               if (mainWindow_) mainWindow_->findInPage();
                           },
                           [this] { core_->askSeveral.setOpen(!core_->askSeveral.isOpen().get()); }});
    MenuCommands::installAnswerActions(*this, core_->roundActions, [this] {
        if (mainWindow_) saveAllAnswers(*mainWindow_, core_->localization.language(), core_->roundActions);
    });
    // Titles follow the interface language at once.
    connections_ += core_->localization.currentLanguage().observe([this] { fillMenu(); });
    // Enlarge Pane reads Restore Pane while a pane is enlarged.
    connections_ += core_->state.panes().observe([this] {
        if (core_->state.panes().enlargedPane().has_value() != menuSaysRestore_) fillMenu();
    });
    fillMenu();

    // A click on a page's desktop notification.
    auto showService = Gio::SimpleAction::create(std::string(showNotifiedServiceAction).substr(4),
                                                 Glib::VariantType("s"));
    showService->signal_activate().connect([this](const Glib::VariantBase& parameter) {
        showNotifiedService(Glib::VariantBase::cast_dynamic<Glib::Variant<Glib::ustring>>(parameter).get());
    });
    add_action(showService);

    connections_ += core_->settings.appearance().observe([this] { applyAppearance(); });
    applyAppearance();

    commands_ = std::make_unique<CommandRunner>(
        core_->context,
        CommandRunner::Window{.present =
                                  [this](std::uint32_t time) {
                                      on_activate();
                                      windowPresenter_->present(time);
                                  },
                              // The app learns that a docked window slid in only once the desktop
                              // confirms it; a key pressed before then must still bring it out.
                              .isActive =
                                  [this] {
                                      return windowPresenter_ && windowPresenter_->isActive() &&
                                             !(windowSetup_ && windowSetup_->isSlidIn());
                                  },
                              .hide =
                                  [this] {
                                      if (windowPresenter_) windowPresenter_->hide();
                                  }});
    listenForGlobalKey();
}

void CorvinaApplication::listenForGlobalKey() {
    GdkDisplay* display = Gdk::Display::get_default()->gobj();
    GlobalKeyDesktop desktop{
        .x11 = [display](X11KeyGrab::Pressed pressed) { return X11KeyGrab::forSession(display, std::move(pressed)); },
        .bus = g_application_get_dbus_connection(G_APPLICATION(gobj())),
        .gnome = GnomeShortcuts::onGnome() ? GnomeShortcuts::open() : nullptr,
        .command = commandRunningThis("--toggle")};
    globalKey_ = std::make_unique<GlobalKey>(core_->settings, core_->localization, std::move(desktop),
                                             [this](std::uint32_t time, const std::string& activationToken) {
                                                 // The desktop's token lets the window take the keyboard.
                                                 if (!activationToken.empty() && mainWindow_)
                                                     mainWindow_->set_startup_id(activationToken);
                                                 commands_->toggle(time);
                                             });
}

void CorvinaApplication::createState() {
    pasteboard_ = std::make_unique<DisplayPasteboard>(Gdk::Display::get_default());
    loginItem_ = std::make_unique<AutostartLoginItem>(XdgPaths::autostartDir(), CORVINA_APP_ID, runningExecutable());
    networkWatch_ = std::make_unique<NetworkWatch>([this] { core_->webViews.retryUnreachablePages(); });
    core_ = std::make_unique<AppCore>(AppSurroundings{
        queue_, XdgPaths::preferencesFile(), *pasteboard_, *loginItem_, *desktopDefaults_, XdgPaths::downloadsDir(),
        WebViewStore::Folders{XdgPaths::webDataDir(), XdgPaths::webCacheDir()}, chooseDrawingMode(),
        WebViewStore::Desktop{uriLauncher_, desktopNotifier_, *networkWatch_, PopupWindow::maker()},
        [this] { return mainWindow_ && mainWindow_->is_active(); }, XdgPaths::promptsDir()});
}

void CorvinaApplication::fillMenu() {
    menuSaysRestore_ = core_->state.panes().enlargedPane().has_value();
    MenuCommands::fill(appMenu_, core_->localization.language(), menuSaysRestore_);
}

void CorvinaApplication::applyAppearance() {
    const bool dark = core_->settings.appearance().get() == AppAppearance::dark;
    adw_style_manager_set_color_scheme(adw_style_manager_get_default(),
                                       dark ? ADW_COLOR_SCHEME_FORCE_DARK : ADW_COLOR_SCHEME_FORCE_LIGHT);
    // Our own drawing (shadows, glass) reads the scheme from this class.
    for (auto* window : get_windows()) {
        if (dark)
            window->add_css_class("corvina-dark");
        else
            window->remove_css_class("corvina-dark");
    }
}

void CorvinaApplication::on_activate() {
    if (!mainWindow_) {
        mainWindow_ = std::make_unique<MainWindow>(core_->context, appMenu_);
        // Each time the window appears it is prepared again.
        connections_ += mainWindow_->signal_map().connect([this] { prepareWindow(); });
        // Coming back to the window, the user sees the answers of the services it shows.
        connections_ += mainWindow_->property_is_active().signal_changed().connect([this] { core_->answerActivity.screenChanged(); });
        add_window(*mainWindow_);
        applyAppearance();
        windowPresenter_ = std::make_unique<WindowPresenter>(*mainWindow_, core_->state);
    }
    mainWindow_->present();
}

int CorvinaApplication::on_command_line(const Glib::RefPtr<Gio::ApplicationCommandLine>& commandLine) {
    int count = 0;
    char** argv = commandLine->get_arguments(count);
    const std::vector<std::string> arguments(argv + std::min(count, 1), argv + count);
    g_strfreev(argv);
    const auto outcome = commands_->run(arguments);
    if (!outcome.output.empty()) commandLine->print(outcome.output);
    if (!outcome.errors.empty()) commandLine->printerr(outcome.errors);
    commandLine->set_exit_status(outcome.status);
    return outcome.status;
}

// Standard input belongs to the process the user started, which may not be the running app.
bool CorvinaApplication::local_command_line_vfunc(char**& arguments, int& exitStatus) {
    const int count = static_cast<int>(g_strv_length(arguments));
    const std::vector<std::string> given(arguments + std::min(count, 1), arguments + count);
    const auto parse = parseCommandLine(given);
    if (const auto* request = std::get_if<CommandRequest>(&parse); request && request->promptFromInput) {
        const auto rewritten = withPrompt(given, readStandardInput());
        char** replaced = g_new0(char*, rewritten.size() + 2);
        replaced[0] = g_strdup(arguments[0]);
        for (std::size_t i = 0; i < rewritten.size(); ++i) replaced[i + 1] = g_strdup(rewritten[i].c_str());
        g_strfreev(arguments);
        arguments = replaced;
    }
    return Gtk::Application::local_command_line_vfunc(arguments, exitStatus);
}

void CorvinaApplication::prepareWindow() {
    if (!windowSetup_) windowSetup_ = std::make_unique<WindowSetup>(queue_, core_->notifications);
    windowSetup_->attach(*mainWindow_);
    const bool placeable = windowSetup_->isAttached();
    if (placeable) core_->state.setWindowControl(windowSetup_.get());
    core_->state.setCanPlaceWindow(placeable);
    // Where the window cannot be placed, zoom is the desktop's own maximise.
    mainWindow_->topStrip().setZoomHandler(placeable ? std::function<void()>([this] { windowSetup_->zoom(); })
                                                     : std::function<void()>());
    core_->downloads.setFolderChooser(folderChooser(*mainWindow_, core_->localization, core_->downloads));
}

void CorvinaApplication::showNotifiedService(const std::string& id) {
    on_activate();
    auto page = core_->webViews.activateNotification(id);
    if (!page) page = core_->answerActivity.activateNotice(id);
    if (page) core_->state.showService(page->serviceID, page->copy);
}

void CorvinaApplication::openSettings() {
    if (!settingsWindow_) {
        settingsWindow_ = std::make_unique<SettingsWindow>(core_->context, globalKey_.get());
        add_window(*settingsWindow_);
        applyAppearance();
    }
    settingsWindow_->present();
}

}  // namespace corvina
