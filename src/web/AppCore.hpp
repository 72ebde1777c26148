#pragma once
#include <filesystem>
#include <functional>

#include "app/AppSettings.hpp"
#include "app/AppState.hpp"
#include "app/AskRounds.hpp"
#include "app/AskSeveral.hpp"
#include "app/ClipboardManager.hpp"
#include "app/CustomTabManager.hpp"
#include "app/LocalizationManager.hpp"
#include "app/PromptLibrary.hpp"
#include "platform/NotificationCenter.hpp"
#include "platform/PreferenceStore.hpp"
#include "web/AnswerActivity.hpp"
#include "web/AppContext.hpp"
#include "web/AskSeveralDelivery.hpp"
#include "web/RoundActions.hpp"
#include "web/ServiceSleeper.hpp"
#include "web/WebViewStore.hpp"
#include "web/downloads/DownloadSettings.hpp"

namespace corvina {

class DesktopDefaults;
class LoginItem;

// What the app's objects reach of the desktop: the real one in the application, private
// folders and stand-ins in tests.
struct AppSurroundings {
    MainQueue& queue;
    std::filesystem::path preferencesFile;
    Pasteboard& pasteboard;
    LoginItem& loginItem;
    DesktopDefaults& desktopDefaults;
    // Where downloads go until the user chooses a folder.
    std::filesystem::path defaultDownloadFolder;
    WebViewStore::Folders webFolders;
    DrawingMode drawing;
    WebViewStore::Desktop desktop;
    // Whether the main window is the active window.
    std::function<bool()> windowActive;
    // The prompt library's folder.
    std::filesystem::path promptsFolder;
};

// Every object that lives for the whole run, wired to each other once, for the app and its
// tests alike.
class AppCore {
public:
    explicit AppCore(AppSurroundings surroundings);
    AppCore(const AppCore&) = delete;
    AppCore& operator=(const AppCore&) = delete;

    // Whether the user sees this page now: in a pane of the active window, not slid away.
    bool onScreen(const PageKey& page) const;

private:
    std::function<bool()> windowActive_;

public:
    NotificationCenter notifications;
    PreferenceStore preferences;
    LocalizationManager localization;
    AppSettings settings;
    CustomTabManager customTabs;
    ClipboardManager clipboard;
    DownloadSettings downloads;
    WebViewStore webViews;
    AppState state;
    AskSeveral askSeveral;
    AskRounds rounds;
    AskSeveralDelivery askSeveralDelivery;
    AnswerActivity answerActivity;
    RoundActions roundActions;
    ServiceSleeper sleeper;
    PromptLibrary prompts;
    AppContext context;
};

}  // namespace corvina
