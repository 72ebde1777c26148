#include "web/RoundActions.hpp"

#include <algorithm>

#include "app/AppState.hpp"
#include "app/AskSeveral.hpp"
#include "app/LocalizationManager.hpp"
#include "app/RoundMarkdown.hpp"
#include "platform/AtomicFile.hpp"
#include "platform/LocalDate.hpp"
#include "platform/Pasteboard.hpp"
#include "web/AskSeveralDelivery.hpp"
#include "web/WebViewStore.hpp"
#include "web/downloads/DownloadSettings.hpp"

namespace corvina {

RoundActions::RoundActions(AskRounds& rounds, AskSeveral& askSeveral, AskSeveralDelivery& delivery, AppState& state,
                           const WebViewStore& store, const LocalizationManager& localization, Pasteboard& pasteboard,
                           const DownloadSettings& downloads)
    : rounds_(rounds), askSeveral_(askSeveral), delivery_(delivery), state_(state), store_(store),
      localization_(localization), pasteboard_(pasteboard), downloads_(downloads) {}

const AskRound* RoundActions::round() const {
    const auto* latest = rounds_.latest();
    return latest && latest->hasAnswers() ? latest : nullptr;
}

std::string RoundActions::nameOf(const std::string& serviceID) const { return store_.serviceName(serviceID); }

std::string RoundActions::markdown() const {
    const auto* shown = round();
    if (!shown) return "";
    return roundMarkdown(*shown, [this](const std::string& id) { return nameOf(id); }, localization_.language());
}

void RoundActions::copyAll() {
    if (round()) pasteboard_.setText(markdown());
}

std::filesystem::path RoundActions::suggestedFile() const {
    return downloads_.customDownloadPath().get() / answersFileName(round() ? round()->prompt : "", localToday());
}

bool RoundActions::saveAll(const std::filesystem::path& file) const {
    return round() && writeFileAtomically(file, markdown(), 0644);
}

bool RoundActions::compare(const std::string& judgeID, bool nameServices) {
    const auto* shown = round();
    if (!shown) return false;
    const auto tabs = state_.visibleTabs();
    const auto judge = std::find_if(tabs.begin(), tabs.end(), [&](const auto& tab) { return tab.id == judgeID; });
    if (judge == tabs.end()) return false;
    const auto prompt = comparePrompt(*shown, [this](const std::string& id) { return nameOf(id); },
                                      localization_.language(), nameServices);
    if (!delivery_.send({*judge}, prompt)) return false;
    state_.showService(judgeID, 0);
    return true;
}

void RoundActions::setStarred(const std::string& serviceID, bool starred) {
    if (const auto* shown = round()) rounds_.setStarred(shown->number, serviceID, starred);
}

void RoundActions::continueWithBest() {
    const auto* shown = round();
    if (!shown || shown->starred().empty()) return;
    const auto best = shown->starred();
    for (const auto& tab : state_.visibleTabs())
        askSeveral_.setChosen(tab.id, std::find(best.begin(), best.end(), tab.id) != best.end());
}

}  // namespace corvina
