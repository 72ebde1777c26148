#include "CorvinaApplication.hpp"

#include <adwaita.h>

#include "app/AskSeveral.hpp"
#include "pane/PopupWindow.hpp"
#include "platform/DrawingMode.hpp"
#include "platform/XdgPaths.hpp"
#include "ui/DownloadFolderChooser.hpp"
#include "ui/MainWindow.hpp"
#include "ui/MenuCommands.hpp"
#include "ui/SettingsWindow.hpp"
#include "web/AskSeveralDelivery.hpp"
#include "web/ServiceSleeper.hpp"
#include "web/WebViewStore.hpp"
#include "web/asks/PageNotifications.hpp"
#include "widgets/Styles.hpp"
#include "window/WindowSetup.hpp"

namespace corvina {

Glib::RefPtr<CorvinaApplication> CorvinaApplication::create() {
    return Glib::make_refptr_for_instance(new CorvinaApplication());
}

CorvinaApplication::CorvinaApplication() : Gtk::Application(CORVINA_APP_ID, Gio::Application::Flags::DEFAULT_FLAGS) {
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
    MenuCommands::install(*this, *appState_, *webViewStore_, appSettings_->pageZoom(),
                          {[this] { openSettings(); },
                           [this] {
                               if (mainWindow_) shortcutsWindow_.present(*mainWindow_, localization_->language());
                           },
                           [this] {
                               if (mainWindow_) mainWindow_->findInPage();
                           },
                           [this] { askSeveral_->setOpen(!askSeveral_->isOpen().get()); }});
    // Titles follow the interface language at once.
    connections_ += localization_->currentLanguage().observe(
        [this] { MenuCommands::fill(appMenu_, localization_->language()); });
    MenuCommands::fill(appMenu_, localization_->language());

    // A click on a page's desktop notification.
    auto showService = Gio::SimpleAction::create(std::string(showNotifiedServiceAction).substr(4),
                                                 Glib::VariantType("s"));
    showService->signal_activate().connect([this](const Glib::VariantBase& parameter) {
        showNotifiedService(Glib::VariantBase::cast_dynamic<Glib::Variant<Glib::ustring>>(parameter).get());
    });
    add_action(showService);

    connections_ += appSettings_->appearance().observe([this] { applyAppearance(); });
    applyAppearance();
}

void CorvinaApplication::createState() {
    notifications_ = std::make_unique<NotificationCenter>(queue_);
    preferences_ = std::make_unique<PreferenceStore>(XdgPaths::preferencesFile());
    pasteboard_ = std::make_unique<DisplayPasteboard>(Gdk::Display::get_default());
    loginItem_ = std::make_unique<AutostartLoginItem>(XdgPaths::autostartDir(), CORVINA_APP_ID, runningExecutable());

    localization_ = std::make_unique<LocalizationManager>(*preferences_, *desktopDefaults_);
    appSettings_ = std::make_unique<AppSettings>(*preferences_, *desktopDefaults_);
    customTabManager_ = std::make_unique<CustomTabManager>(*preferences_);
    clipboardManager_ = std::make_unique<ClipboardManager>(*pasteboard_, queue_);
    downloadSettings_ = std::make_unique<DownloadSettings>(*preferences_, queue_);
    networkWatch_ = std::make_unique<NetworkWatch>([this] { webViewStore_->retryUnreachablePages(); });
    webViewStore_ = std::make_unique<WebViewStore>(
        queue_, *localization_, *downloadSettings_, customTabManager_->customTabs(), *appSettings_,
        WebViewStore::Folders{XdgPaths::webDataDir(), XdgPaths::webCacheDir()}, chooseDrawingMode(),
        WebViewStore::Desktop{uriLauncher_, desktopNotifier_, *networkWatch_, PopupWindow::maker()});
    appState_ = std::make_unique<AppState>(*preferences_, *loginItem_, *notifications_, *customTabManager_);
    askSeveral_ = std::make_unique<AskSeveral>(*preferences_, *appState_, *customTabManager_);
    askSeveralDelivery_ = std::make_unique<AskSeveralDelivery>(*webViewStore_, *appState_);
    context_ = std::make_unique<AppContext>(AppContext{queue_, *notifications_, *preferences_, *pasteboard_, *appState_,
                                                       *appSettings_, *localization_, *clipboardManager_,
                                                       *customTabManager_, *downloadSettings_, *webViewStore_,
                                                       *askSeveral_, *askSeveralDelivery_});
    sleeper_ = std::make_unique<ServiceSleeper>(queue_, *appState_, *appSettings_, *webViewStore_);
    // A page the user is looking at needs no desktop notification.
    webViewStore_->setPageInView([this](const PageKey& page) {
        return mainWindow_ && mainWindow_->is_active() && appState_->isTabShown(page.serviceID, page.pane);
    });
}

void CorvinaApplication::applyAppearance() {
    const bool dark = appSettings_->appearance().get() == AppAppearance::dark;
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
        mainWindow_ = std::make_unique<MainWindow>(*context_, appMenu_);
        // Each time the window appears it is prepared again.
        connections_ += mainWindow_->signal_map().connect([this] { prepareWindow(); });
        add_window(*mainWindow_);
        applyAppearance();
    }
    mainWindow_->present();
}

void CorvinaApplication::prepareWindow() {
    if (!windowSetup_) windowSetup_ = std::make_unique<WindowSetup>(queue_, *notifications_);
    windowSetup_->attach(*mainWindow_);
    const bool placeable = windowSetup_->isAttached();
    if (placeable) appState_->setWindowControl(windowSetup_.get());
    appState_->setCanPlaceWindow(placeable);
    // Where the window cannot be placed, zoom is the desktop's own maximise.
    mainWindow_->topStrip().setZoomHandler(placeable ? std::function<void()>([this] { windowSetup_->zoom(); })
                                                     : std::function<void()>());
    downloadSettings_->setFolderChooser(folderChooser(*mainWindow_, *localization_, *downloadSettings_));
}

void CorvinaApplication::showNotifiedService(const std::string& id) {
    on_activate();
    if (auto page = webViewStore_->activateNotification(id)) appState_->showServiceIn(page->serviceID, page->pane);
}

void CorvinaApplication::openSettings() {
    if (!settingsWindow_) {
        settingsWindow_ = std::make_unique<SettingsWindow>(*context_);
        add_window(*settingsWindow_);
        applyAppearance();
    }
    settingsWindow_->present();
}

}  // namespace corvina
