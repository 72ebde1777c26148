#pragma once
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <sigc++/sigc++.h>

#include "app/AppLanguage.hpp"
#include "platform/MainQueue.hpp"

namespace corvina {

// Where one service stands in an ask: its prompt's delivery, then its answer.
enum class AnswerStatus { sending, sent, noMessageBox, couldNotSend, pageDidNotLoad, answering, answered, noAnswerFound };

// What the user reads for a status.
const LocalizedText& answerStatusText(AnswerStatus status);

// One service of an ask. Times are on the main queue's clock.
struct RoundEntry {
    std::string serviceID;
    AnswerStatus status = AnswerStatus::sending;
    std::optional<Milliseconds> sentAt;
    std::optional<Milliseconds> firstGrowthAt;
    std::optional<Milliseconds> finishedAt;
    // The page's address when the answer finished: the conversation's link.
    std::string address;
    // The answer as Markdown, once read; cut at the reader's limit when `answerCut`.
    std::optional<std::string> answer;
    bool answerCut = false;
    // The user marked it among the best.
    bool starred = false;

    // The service has finished answering (whether or not its answer could be read).
    bool finished() const { return status == AnswerStatus::answered || status == AnswerStatus::noAnswerFound; }
    // The prompt did not reach the service.
    bool failed() const;
    // How long the answer took, from the prompt going to the answer's end.
    std::optional<Milliseconds> took() const;
};

// One prompt asked of several services, its services in tab bar order.
struct AskRound {
    std::uint64_t number = 0;
    std::string prompt;
    Milliseconds askedAt{0};
    std::vector<RoundEntry> services;

    const RoundEntry* find(const std::string& serviceID) const;
    // Some prompt is still on its way into a page.
    bool delivering() const;
    std::size_t finishedCount() const;
    bool hasAnswers() const;
    std::vector<std::string> starred() const;
};

// The asks of this run, the newest first, kept in memory only (like the prompt history).
// The delivery and the answer watch fill them; the composer and the exports read them.
class AskRounds {
public:
    static constexpr std::size_t kept = 20;

    explicit AskRounds(MainQueue& queue) : queue_(queue) {}

    const std::deque<AskRound>& all() const { return rounds_; }
    const AskRound* latest() const { return rounds_.empty() ? nullptr : &rounds_.front(); }
    const AskRound* find(std::uint64_t number) const;
    sigc::connection observe(sigc::slot<void()> slot) const { return changed_.connect(std::move(slot)); }

    // A new round, every service sending; its number.
    std::uint64_t begin(const std::string& prompt, const std::vector<std::string>& serviceIDs);
    // How the prompt's delivery went; `sent` stamps the send time.
    void delivered(std::uint64_t round, const std::string& serviceID, AnswerStatus status);
    // The page started streaming its answer.
    void answerStarted(std::uint64_t round, const std::string& serviceID);
    // The answer ended: its text as Markdown, or none found on the page. A page that goes
    // on with the same answer later (paused while out of sight) ends it again, longer.
    void answerFinished(std::uint64_t round, const std::string& serviceID, const std::string& address,
                        std::optional<std::string> markdown, bool cut);
    void setStarred(std::uint64_t round, const std::string& serviceID, bool starred);

private:
    RoundEntry* entry(std::uint64_t round, const std::string& serviceID);

    MainQueue& queue_;
    std::deque<AskRound> rounds_;
    std::uint64_t last_ = 0;
    mutable sigc::signal<void()> changed_;
};

}  // namespace corvina
