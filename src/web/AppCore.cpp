#include "web/AppCore.hpp"

namespace corvina {

AppCore::AppCore(AppSurroundings surroundings)
    : windowActive_(std::move(surroundings.windowActive)),
      notifications(surroundings.queue),
      preferences(surroundings.preferencesFile),
      localization(preferences, surroundings.desktopDefaults),
      settings(preferences, surroundings.desktopDefaults),
      customTabs(preferences),
      clipboard(surroundings.pasteboard, surroundings.queue),
      downloads(preferences, surroundings.queue, surroundings.defaultDownloadFolder),
      webViews(surroundings.queue, localization, downloads, customTabs.customTabs(), settings, surroundings.webFolders,
               surroundings.drawing, surroundings.desktop),
      state(preferences, surroundings.loginItem, notifications, customTabs),
      askSeveral(preferences, state, customTabs),
      rounds(surroundings.queue),
      askSeveralDelivery(webViews, rounds),
      answerActivity(webViews, state, settings, localization, surroundings.desktop.notifier,
                     [this](const PageKey& page) { return onScreen(page); }),
      roundActions(rounds, askSeveral, askSeveralDelivery, state, webViews, localization, surroundings.pasteboard, downloads),
      sleeper(surroundings.queue, state, settings, webViews),
      prompts(surroundings.promptsFolder),
      context{surroundings.queue, notifications, preferences, surroundings.pasteboard, state, settings, localization,
              clipboard, customTabs, downloads, webViews, askSeveral, rounds, askSeveralDelivery, answerActivity, roundActions,
              prompts} {
    // A page the user is looking at needs no desktop notification.
    webViews.setPageInView([this](const PageKey& page) { return onScreen(page); });
    prompts.open(localization.language());
}

bool AppCore::onScreen(const PageKey& page) const {
    const auto pane = state.panes().paneShowingCopy(page.serviceID, page.copy);
    return windowActive_() && pane && state.isPaneInView(*pane);
}

}  // namespace corvina
