#pragma once
#include <filesystem>
#include <string>

#include "app/AskRounds.hpp"

namespace corvina {

class AppState;
class AskSeveral;
class AskSeveralDelivery;
class DownloadSettings;
class LocalizationManager;
class Pasteboard;
class WebViewStore;

// What the user does with the answers of the latest ask that has some: copy or save them
// all as Markdown, have one service compare them, or go on with the best.
class RoundActions {
public:
    RoundActions(AskRounds& rounds, AskSeveral& askSeveral, AskSeveralDelivery& delivery, AppState& state,
                 const WebViewStore& store, const LocalizationManager& localization, Pasteboard& pasteboard,
                 const DownloadSettings& downloads);

    // The round the actions work on: the latest, once it has an answer.
    const AskRound* round() const;
    sigc::connection observe(sigc::slot<void()> slot) const { return rounds_.observe(std::move(slot)); }

    std::string markdown() const;
    void copyAll();
    // In the download folder, named after the prompt and the day.
    std::filesystem::path suggestedFile() const;
    bool saveAll(const std::filesystem::path& file) const;
    // Asks `judgeID` to weigh the answers, as a new ask of that one service, and shows it in
    // the active pane. Whether the prompt went.
    bool compare(const std::string& judgeID, bool nameServices);
    void setStarred(const std::string& serviceID, bool starred);
    // The starred services become the only chosen ones for the next ask.
    void continueWithBest();

private:
    std::string nameOf(const std::string& serviceID) const;

    AskRounds& rounds_;
    AskSeveral& askSeveral_;
    AskSeveralDelivery& delivery_;
    AppState& state_;
    const WebViewStore& store_;
    const LocalizationManager& localization_;
    Pasteboard& pasteboard_;
    const DownloadSettings& downloads_;
};

}  // namespace corvina
