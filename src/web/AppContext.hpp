#pragma once

namespace corvina {

class AppState;
class AskSeveral;
class AskRounds;
class RoundActions;
class AskSeveralDelivery;
class AnswerActivity;
class AppSettings;
class LocalizationManager;
class ClipboardManager;
class CustomTabManager;
class DownloadSettings;
class MainQueue;
class NotificationCenter;
class Pasteboard;
class PreferenceStore;
class PromptLibrary;
class WebViewStore;

// The objects that live for the whole run, handed to every view.
struct AppContext {
    MainQueue& queue;
    NotificationCenter& notifications;
    PreferenceStore& preferences;
    Pasteboard& pasteboard;
    AppState& appState;
    AppSettings& appSettings;
    LocalizationManager& localization;
    ClipboardManager& clipboardManager;
    CustomTabManager& customTabManager;
    DownloadSettings& downloadSettings;
    WebViewStore& webViewStore;
    AskSeveral& askSeveral;
    AskRounds& askRounds;
    AskSeveralDelivery& askSeveralDelivery;
    AnswerActivity& answerActivity;
    RoundActions& roundActions;
    PromptLibrary& prompts;
};

}  // namespace corvina
