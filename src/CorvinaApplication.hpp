#pragma once
#include <memory>

#include <gtkmm/application.h>

#include "platform/DesktopDefaults.hpp"
#include "platform/DesktopNotifier.hpp"
#include "platform/LoginItem.hpp"
#include "platform/MainQueue.hpp"
#include "platform/NetworkWatch.hpp"
#include "platform/Pasteboard.hpp"
#include "platform/UriLauncher.hpp"
#include "ui/ShortcutsWindow.hpp"
#include "web/AppCore.hpp"
#include "web/CommandRunner.hpp"
#include "web/GlobalKey.hpp"

namespace corvina {

class MainWindow;
class SettingsWindow;
class WindowSetup;
class WindowPresenter;

// The application: one per process, one main window, state objects created once per run.
// A second launch hands its command line to the running app (when a session bus is there to
// tell) and ends with the running app's answer.
class CorvinaApplication : public Gtk::Application {
public:
    static Glib::RefPtr<CorvinaApplication> create();
    ~CorvinaApplication() override;

protected:
    CorvinaApplication();
    void on_startup() override;
    void on_activate() override;
    int on_command_line(const Glib::RefPtr<Gio::ApplicationCommandLine>& commandLine) override;
    bool local_command_line_vfunc(char**& arguments, int& exitStatus) override;

private:
    void createState();
    void applyAppearance();
    void fillMenu();
    void openSettings();
    void prepareWindow();
    void showNotifiedService(const std::string& id);
    void listenForGlobalKey();

    GlibMainQueue queue_;
    std::unique_ptr<DesktopDefaults> desktopDefaults_;
    std::unique_ptr<Pasteboard> pasteboard_;
    std::unique_ptr<LoginItem> loginItem_;
    DesktopUriLauncher uriLauncher_;
    ApplicationNotifier desktopNotifier_;
    std::unique_ptr<NetworkWatch> networkWatch_;
    std::unique_ptr<AppCore> core_;

    Glib::RefPtr<Gio::Menu> appMenu_;
    bool menuSaysRestore_ = false;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<WindowSetup> windowSetup_;
    std::unique_ptr<WindowPresenter> windowPresenter_;
    std::unique_ptr<CommandRunner> commands_;
    std::unique_ptr<GlobalKey> globalKey_;
    std::unique_ptr<SettingsWindow> settingsWindow_;
    ShortcutsWindow shortcutsWindow_;
    Connections connections_;
};

}  // namespace corvina
