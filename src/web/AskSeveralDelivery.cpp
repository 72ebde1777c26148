#include "web/AskSeveralDelivery.hpp"

#include "web/WebViewStore.hpp"
#include "web/page/AnswerReader.hpp"

namespace corvina {

namespace {

AnswerStatus statusOf(DeliveryOutcome outcome) {
    switch (outcome) {
        case DeliveryOutcome::sent: return AnswerStatus::sent;
        case DeliveryOutcome::noMessageBox: return AnswerStatus::noMessageBox;
        case DeliveryOutcome::pageDidNotLoad: return AnswerStatus::pageDidNotLoad;
        case DeliveryOutcome::couldNotSend: break;
    }
    return AnswerStatus::couldNotSend;
}

}  // namespace

AskSeveralDelivery::AskSeveralDelivery(WebViewStore& store, AskRounds& rounds) : store_(store), rounds_(rounds) {
    pagesWatch_ = store.observePages([this] { pagesChanged(); });
}

AskSeveralDelivery::~AskSeveralDelivery() {
    owner_.release();
    following_.clear();
}

std::optional<std::uint64_t> AskSeveralDelivery::send(const std::vector<AITab>& targets, const std::string& text) {
    if (underWay() || targets.empty() || text.find_first_not_of(" \t\r\n") == std::string::npos) return std::nullopt;
    std::vector<std::string> ids;
    for (const auto& tab : targets) ids.push_back(tab.id);
    const auto round = rounds_.begin(text, ids);
    waiting_ = static_cast<int>(targets.size());
    allSent_ = true;
    for (const auto& tab : targets) {
        auto& page = store_.page(tab);
        follow(round, page.key());
        page.deliver(text, owner_.bind([round, id = tab.id](AskSeveralDelivery& self, DeliveryOutcome outcome) {
            self.reported(round, id, outcome);
        }));
    }
    return round;
}

void AskSeveralDelivery::reported(std::uint64_t round, const std::string& id, DeliveryOutcome outcome) {
    rounds_.delivered(round, id, statusOf(outcome));
    allSent_ = allSent_ && outcome == DeliveryOutcome::sent;
    if (--waiting_ > 0) return;
    finished_.emit(allSent_);
}

void AskSeveralDelivery::follow(std::uint64_t round, const PageKey& key) {
    auto* page = store_.existingPage(key);
    auto& following = following_[key];
    following.round = round;
    following.watch.clear();
    following.watch += page->answering().observe(owner_.bind([round, key](AskSeveralDelivery& self) {
        const auto* page = self.store_.existingPage(key);
        if (page && page->answering().get()) self.rounds_.answerStarted(round, key.serviceID);
    }));
    following.watch += page->observeAnswers(owner_.bind([round, key](AskSeveralDelivery& self, const std::string&) {
        self.pageAnswered(round, key);
    }));
}

// The page's answer is read where it stands now; its address is the conversation's.
void AskSeveralDelivery::pageAnswered(std::uint64_t round, const PageKey& key) {
    auto* page = store_.existingPage(key);
    if (!page) return;
    const char* uri = webkit_web_view_get_uri(page->view());
    readAnswer(page->view(), owner_.bind([round, id = key.serviceID, address = std::string(uri ? uri : "")](
                                             AskSeveralDelivery& self, PageAnswer answer) {
        self.rounds_.answerFinished(round, id, address, std::move(answer.markdown), answer.cut);
    }));
}

// A page that went (to sleep, or with its service) leaves no watch behind.
void AskSeveralDelivery::pagesChanged() {
    std::erase_if(following_, [this](const auto& entry) { return !store_.existingPage(entry.first); });
}

}  // namespace corvina
