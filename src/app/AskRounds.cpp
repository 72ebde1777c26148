#include "app/AskRounds.hpp"

#include <algorithm>

namespace corvina {

namespace {

constexpr LocalizedText sendingText{"Sending…", "傳送中…", "发送中…"};
constexpr LocalizedText sentText{"Sent", "已送出", "已发送"};
constexpr LocalizedText noBoxText{"No message box found", "找不到輸入框", "找不到输入框"};
constexpr LocalizedText notSentText{"Could not send", "無法送出", "无法发送"};
constexpr LocalizedText notLoadedText{"Page did not load", "頁面未載入", "页面未加载"};
constexpr LocalizedText answeringText{"Answering", "回答中", "回答中"};
constexpr LocalizedText answeredText{"Answered", "已回答", "已回答"};
constexpr LocalizedText noAnswerText{"No answer found", "找不到回答", "找不到回答"};

// A page out of sight may pause halfway through an answer (its timers slowed) and go on
// later: a later, longer reading that starts as the earlier one did is the same answer.
bool continues(const RoundEntry& e, const std::optional<std::string>& markdown) {
    if (!markdown) return false;
    if (!e.answer) return true;
    const auto& before = *e.answer;
    const auto shared = before.size() / 2;
    return markdown->size() > before.size() && markdown->compare(0, shared, before, 0, shared) == 0;
}

}  // namespace

const LocalizedText& answerStatusText(AnswerStatus status) {
    switch (status) {
        case AnswerStatus::sending: return sendingText;
        case AnswerStatus::sent: return sentText;
        case AnswerStatus::noMessageBox: return noBoxText;
        case AnswerStatus::couldNotSend: return notSentText;
        case AnswerStatus::pageDidNotLoad: return notLoadedText;
        case AnswerStatus::answering: return answeringText;
        case AnswerStatus::answered: return answeredText;
        case AnswerStatus::noAnswerFound: break;
    }
    return noAnswerText;
}

bool RoundEntry::failed() const {
    return status == AnswerStatus::noMessageBox || status == AnswerStatus::couldNotSend ||
           status == AnswerStatus::pageDidNotLoad;
}

std::optional<Milliseconds> RoundEntry::took() const {
    if (!sentAt || !finishedAt) return std::nullopt;
    return *finishedAt - *sentAt;
}

const RoundEntry* AskRound::find(const std::string& serviceID) const {
    const auto it = std::find_if(services.begin(), services.end(), [&](const auto& e) { return e.serviceID == serviceID; });
    return it == services.end() ? nullptr : &*it;
}

bool AskRound::delivering() const {
    return std::any_of(services.begin(), services.end(), [](const auto& e) { return e.status == AnswerStatus::sending; });
}

std::size_t AskRound::finishedCount() const {
    return static_cast<std::size_t>(std::count_if(services.begin(), services.end(), [](const auto& e) { return e.finished(); }));
}

bool AskRound::hasAnswers() const {
    return std::any_of(services.begin(), services.end(), [](const auto& e) { return e.answer.has_value(); });
}

std::vector<std::string> AskRound::starred() const {
    std::vector<std::string> ids;
    for (const auto& e : services)
        if (e.starred) ids.push_back(e.serviceID);
    return ids;
}

const AskRound* AskRounds::find(std::uint64_t number) const {
    const auto it = std::find_if(rounds_.begin(), rounds_.end(), [&](const auto& r) { return r.number == number; });
    return it == rounds_.end() ? nullptr : &*it;
}

std::uint64_t AskRounds::begin(const std::string& prompt, const std::vector<std::string>& serviceIDs) {
    AskRound round;
    round.number = ++last_;
    round.prompt = prompt;
    round.askedAt = queue_.now();
    for (const auto& id : serviceIDs) {
        RoundEntry entry;
        entry.serviceID = id;
        round.services.push_back(std::move(entry));
    }
    rounds_.push_front(std::move(round));
    if (rounds_.size() > kept) rounds_.pop_back();
    changed_.emit();
    return last_;
}

RoundEntry* AskRounds::entry(std::uint64_t round, const std::string& serviceID) {
    const auto* found = find(round);
    if (!found) return nullptr;
    return const_cast<RoundEntry*>(found->find(serviceID));
}

// Reports come in any order: an answer may be seen streaming before its delivery says it
// was sent, and a late report never takes an entry back.
void AskRounds::delivered(std::uint64_t round, const std::string& serviceID, AnswerStatus status) {
    auto* e = entry(round, serviceID);
    if (!e || e->sentAt || e->failed()) return;
    if (status == AnswerStatus::sent) {
        e->sentAt = queue_.now();
        if (e->status == AnswerStatus::sending) e->status = AnswerStatus::sent;
    } else if (e->status == AnswerStatus::sending) {
        e->status = status;
    } else {
        return;
    }
    changed_.emit();
}

void AskRounds::answerStarted(std::uint64_t round, const std::string& serviceID) {
    auto* e = entry(round, serviceID);
    if (!e || e->failed() || e->finished() || e->firstGrowthAt) return;
    e->firstGrowthAt = queue_.now();
    e->status = AnswerStatus::answering;
    changed_.emit();
}

void AskRounds::answerFinished(std::uint64_t round, const std::string& serviceID, const std::string& address,
                               std::optional<std::string> markdown, bool cut) {
    auto* e = entry(round, serviceID);
    if (!e || e->failed() || (e->finished() && !continues(*e, markdown))) return;
    e->finishedAt = queue_.now();
    if (!e->firstGrowthAt) e->firstGrowthAt = e->finishedAt;
    // The page took the prompt, whatever its delivery had still to say.
    if (!e->sentAt) e->sentAt = e->firstGrowthAt;
    e->address = address;
    e->status = markdown ? AnswerStatus::answered : AnswerStatus::noAnswerFound;
    e->answer = std::move(markdown);
    e->answerCut = e->answer && cut;
    changed_.emit();
}

void AskRounds::setStarred(std::uint64_t round, const std::string& serviceID, bool starred) {
    auto* e = entry(round, serviceID);
    if (!e || e->starred == starred || (starred && !e->finished())) return;
    e->starred = starred;
    changed_.emit();
}

}  // namespace corvina
