#include "ui/RoundActionsRow.hpp"

#include "app/AppState.hpp"
#include "app/CustomTabManager.hpp"
#include "app/LocalizationManager.hpp"
#include "ui/AnswersFileChooser.hpp"
#include "web/AskSeveralDelivery.hpp"
#include "web/RoundActions.hpp"
#include "web/WebViewStore.hpp"
#include "widgets/Accessibility.hpp"

namespace corvina {

namespace {

constexpr LocalizedText judgesTitleText{"Which service compares them?", "由哪個服務比較？", "由哪个服务比较？"};
constexpr LocalizedText copiedText{"Copied", "已複製", "已复制"};
constexpr LocalizedText savedText{"Saved", "已儲存", "已保存"};
constexpr LocalizedText notSavedText{"Could not save", "無法儲存", "无法保存"};
constexpr LocalizedText notComparedText{"Could not ask", "無法提問", "无法提问"};
constexpr Milliseconds saidFor{3000};

}  // namespace

RoundActionsRow::RoundActionsRow(AppContext& context) : Gtk::Box(Gtk::Orientation::HORIZONTAL, 6), context_(context) {
    add_css_class("ask-several-round");
    copyAll_.signal_clicked().connect([this] {
        context_.roundActions.copyAll();
        say(copiedText);
    });
    saveAll_.signal_clicked().connect([this] {
        auto* window = dynamic_cast<Gtk::Window*>(get_root());
        if (!window) return;
        saveAllAnswers(*window, context_.localization.language(), context_.roundActions,
                       [this](bool written) { say(written ? savedText : notSavedText); });
    });
    judgesTitle_.add_css_class("heading");
    judgesTitle_.set_halign(Gtk::Align::START);
    judgesBox_.append(judgesTitle_);
    judgesBox_.append(judges_);
    judgesBox_.append(nameServices_);
    judgesPopover_.set_child(judgesBox_);
    compare_.set_popover(judgesPopover_);
    continue_.signal_clicked().connect([this] { context_.roundActions.continueWithBest(); });
    said_.add_css_class("dim-label");
    said_.set_hexpand(true);
    said_.set_halign(Gtk::Align::START);
    for (Gtk::Widget* widget : std::initializer_list<Gtk::Widget*>{&copyAll_, &saveAll_, &compare_, &continue_, &said_})
        append(*widget);

    connections_ += context.roundActions.observe([this] { refresh(); });
    connections_ += context.askSeveralDelivery.observeFinished([this](bool) { refresh(); });
    connections_ += context.localization.currentLanguage().observe([this] { retitle(); });
    connections_ += context.appState.hiddenAITabIDs().observe([this] { rebuildJudges(); });
    connections_ += context.customTabManager.customTabs().observe([this] { rebuildJudges(); });
    retitle();
}

RoundActionsRow::~RoundActionsRow() { connections_.clear(); }

void RoundActionsRow::retitle() {
    const auto language = context_.localization.language();
    copyAll_.set_label(copyAllAnswersTitle.in(language));
    saveAll_.set_label(saveAllAnswersTitle.in(language));
    compare_.set_label(compareAnswersTitle.in(language));
    continue_.set_label(continueWithBestTitle.in(language));
    judgesTitle_.set_text(judgesTitleText.in(language));
    nameServices_.set_label(nameServicesTitle.in(language));
    said_.set_text("");
    rebuildJudges();
}

// One button per visible service, in tab bar order: the one pressed gets the question.
void RoundActionsRow::rebuildJudges() {
    for (auto& button : judgeButtons_) judges_.remove(*button);
    judgeButtons_.clear();
    for (const auto& tab : context_.appState.visibleTabs()) {
        auto button = std::make_unique<Gtk::Button>(tab.displayName(context_.localization.language()));
        button->add_css_class("flat");
        button->signal_clicked().connect([this, id = tab.id] {
            judgesPopover_.popdown();
            if (!context_.roundActions.compare(id, nameServices_.get_active())) say(notComparedText);
        });
        judges_.append(*button);
        judgeButtons_.push_back(std::move(button));
    }
    refresh();
}

void RoundActionsRow::refresh() {
    const auto* round = context_.roundActions.round();
    set_visible(round != nullptr);
    const bool asking = context_.askSeveralDelivery.underWay();
    compare_.set_sensitive(!asking);
    continue_.set_sensitive(round && !round->starred().empty());
}

void RoundActionsRow::say(const LocalizedText& text) {
    said_.set_text(text.in(context_.localization.language()));
    unsay_ = context_.queue.after(saidFor, [this] { said_.set_text(""); });
}

}  // namespace corvina
