#include "ui/AskSeveralBar.hpp"

#include <gtkmm/eventcontrollerkey.h>

#include "app/AskSeveral.hpp"
#include "app/CustomTabManager.hpp"
#include "app/LocalizationManager.hpp"
#include "app/AskRounds.hpp"
#include "ui/PromptBlanksForm.hpp"
#include "ui/PromptPicker.hpp"
#include "web/AskSeveralDelivery.hpp"
#include "web/AskTogether.hpp"
#include "web/RoundActions.hpp"
#include "widgets/Accessibility.hpp"
#include "widgets/Icons.hpp"

namespace corvina {

namespace {

constexpr LocalizedText sideBySideText{"Side by side", "並排顯示", "并排显示"};
constexpr LocalizedText sideBySideHint{"Show the services asked (two to six) side by side in the panes",
                                       "在窗格中並排顯示所問的服務（二至六個）", "在窗格中并排显示所问的服务（二至六个）"};
constexpr LocalizedText starHint{"Mark as one of the best answers", "標為最佳回答之一", "标为最佳回答之一"};
constexpr LocalizedText answeredCountText{"%1 of %2 answered", "已回答 %1 個，共 %2 個", "已回答 %1 个，共 %2 个"};

std::string counted(const LocalizedText& text, AppLanguage language, std::size_t done, std::size_t all) {
    std::string out = text.in(language);
    out.replace(out.find("%1"), 2, std::to_string(done));
    out.replace(out.find("%2"), 2, std::to_string(all));
    return out;
}

bool blank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

}  // namespace

AskSeveralBar::AskSeveralBar(AppContext& context)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 8), context_(context), roundActions_(context) {
    add_css_class("ask-several");

    targetScroller_.set_policy(Gtk::PolicyType::AUTOMATIC, Gtk::PolicyType::NEVER);
    targetScroller_.set_child(targets_);
    append(targetScroller_);
    append(roundActions_);

    field_.set_wrap_mode(Gtk::WrapMode::WORD_CHAR);
    field_.set_accepts_tab(false);
    field_.add_css_class("ask-several-field");
    fieldScroller_.set_child(field_);
    fieldScroller_.set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
    fieldScroller_.set_propagate_natural_height(true);
    fieldScroller_.set_min_content_height(44);
    fieldScroller_.set_max_content_height(140);
    fieldLayers_.set_child(fieldScroller_);
    placeholder_.add_css_class("ask-several-placeholder");
    placeholder_.add_css_class("dim-label");
    placeholder_.set_halign(Gtk::Align::START);
    placeholder_.set_valign(Gtk::Align::START);
    placeholder_.set_can_target(false);
    fieldLayers_.add_overlay(placeholder_);
    fieldLayers_.set_hexpand(true);
    inputRow_.append(fieldLayers_);
    answeredCount_.add_css_class("ask-several-count");
    answeredCount_.set_valign(Gtk::Align::CENTER);
    answeredCount_.set_visible(false);
    inputRow_.append(answeredCount_);
    sideBySide_.add_css_class("ask-several-side-by-side");
    sideBySide_.set_valign(Gtk::Align::END);
    sideBySide_.set_active(context.askSeveral.sideBySide().get());
    sideBySide_.signal_toggled().connect([this] { context_.askSeveral.setSideBySide(sideBySide_.get_active()); });
    inputRow_.append(sideBySide_);
    askButton_.add_css_class("suggested-action");
    askButton_.add_css_class("ask-several-button");
    askButton_.set_valign(Gtk::Align::END);
    askButton_.signal_clicked().connect([this] { ask(); });
    inputRow_.append(askButton_);
    append(inputRow_);
    picker_ = std::make_unique<PromptPicker>(context, [this](const Prompt& prompt) { usePrompt(prompt); });
    append(*picker_);
    blanksForm_ = std::make_unique<PromptBlanksForm>(
        context, [this](const std::string& text, const std::vector<std::string>& services) { filled(text, services); },
        [this] { focusField(); });
    append(*blanksForm_);

    // Before the field's own handling, so Enter asks instead of starting a line.
    auto keys = Gtk::EventControllerKey::create();
    keys->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
    keys->signal_key_pressed().connect(
        [this](guint key, guint, Gdk::ModifierType state) { return keyPressed(key, state); }, false);
    field_.add_controller(keys);
    preeditWatch_ = SignalConnection(field_.gobj(), "preedit-changed", +[](GtkTextView*, char* preedit, AskSeveralBar* self) {
        self->preedit_ = preedit ? preedit : "";
    }, this);
    connections_ += field_.get_buffer()->signal_changed().connect([this] {
        placeholder_.set_visible(field_.get_buffer()->size() == 0);
        refreshAskButton();
        refreshPicker();
    });

    auto& state = context.appState;
    connections_ += state.hiddenAITabIDs().observe([this] { rebuildToggles(); });
    connections_ += context.customTabManager.customTabs().observe([this] { rebuildToggles(); });
    connections_ += context.localization.currentLanguage().observe([this] { retitle(); });
    connections_ += context.askSeveral.observeChoice([this] { refreshChoice(); });
    connections_ += context.askRounds.observe([this] { refreshStatuses(); });
    connections_ += context.askSeveralDelivery.observeFinished([this](bool allSent) { finished(allSent); });
    closeOnEscape(*this, [this] { context_.askSeveral.setOpen(false); });
    retitle();
}

AskSeveralBar::~AskSeveralBar() {
    preeditWatch_.disconnect();
    connections_.clear();
}

void AskSeveralBar::focusField() { field_.grab_focus(); }

void AskSeveralBar::rebuildToggles() {
    for (auto& toggle : toggles_) targets_.remove(toggle->item);
    toggles_.clear();
    for (const auto& tab : context_.appState.visibleTabs()) {
        auto toggle = std::make_unique<Toggle>();
        toggle->id = tab.id;
        toggle->button.add_css_class("ask-several-target");
        showServiceIcon(toggle->icon, tab.icon, tab.iconIsSymbol() ? IconKind::symbol : IconKind::serviceImage, 18);
        toggle->name.set_text(tab.displayName(context_.localization.language()));
        toggle->name.set_halign(Gtk::Align::START);
        toggle->status.add_css_class("ask-several-status");
        toggle->status.set_halign(Gtk::Align::START);
        toggle->status.set_visible(false);
        toggle->texts.append(toggle->name);
        toggle->texts.append(toggle->status);
        toggle->texts.set_valign(Gtk::Align::CENTER);
        toggle->content.append(toggle->icon);
        toggle->content.append(toggle->texts);
        toggle->button.set_child(toggle->content);
        nameAfter(toggle->button, toggle->name);
        toggle->toggled = toggle->button.signal_toggled().connect([this, id = tab.id, button = &toggle->button] {
            context_.askSeveral.setChosen(id, button->get_active());
        });
        toggle->star.add_css_class("flat");
        toggle->star.add_css_class("ask-several-star");
        toggle->star.set_valign(Gtk::Align::CENTER);
        toggle->star.set_tooltip_text(starHint.in(context_.localization.language()));
        setAccessibleLabel(toggle->star, starHint.in(context_.localization.language()) + ": " +
                                             tab.displayName(context_.localization.language()));
        toggle->starred = toggle->star.signal_toggled().connect([this, id = tab.id, star = &toggle->star] {
            context_.roundActions.setStarred(id, star->get_active());
        });
        toggle->item.append(toggle->button);
        toggle->item.append(toggle->star);
        targets_.append(toggle->item);
        toggles_.push_back(std::move(toggle));
    }
    refreshChoice();
    refreshStatuses();
}

// The toggles show the choice; their own signal stays quiet while they do.
void AskSeveralBar::refreshChoice() {
    for (auto& toggle : toggles_) {
        ScopedBlock quiet(toggle->toggled);
        toggle->button.set_active(context_.askSeveral.isChosen(toggle->id));
    }
    refreshAskButton();
}

// Each service of the latest ask says where it stands; one that has answered can be starred.
void AskSeveralBar::refreshStatuses() {
    const auto* round = context_.askRounds.latest();
    const auto language = context_.localization.language();
    for (auto& toggle : toggles_) {
        const auto* entry = round ? round->find(toggle->id) : nullptr;
        const std::string text = entry ? answerStatusText(entry->status).in(language) : "";
        toggle->status.set_visible(entry != nullptr);
        toggle->status.set_text(text);
        gtk_accessible_update_property(GTK_ACCESSIBLE(toggle->button.gobj()), GTK_ACCESSIBLE_PROPERTY_DESCRIPTION,
                                       text.c_str(), -1);
        const bool starrable = entry && entry->finished() && context_.roundActions.round() == round;
        ScopedBlock quiet(toggle->starred);
        toggle->star.set_visible(starrable);
        toggle->star.set_active(starrable && entry->starred);
        toggle->star.set_icon_name(starrable && entry->starred ? "starred-symbolic" : "non-starred-symbolic");
    }
    answeredCount_.set_visible(round != nullptr);
    if (round) answeredCount_.set_text(counted(answeredCountText, language, round->finishedCount(), round->services.size()));
    refreshAskButton();
}

void AskSeveralBar::refreshAskButton() {
    askButton_.set_sensitive(!blank(text()) && !context_.askSeveral.targets().empty() &&
                             !context_.askSeveralDelivery.underWay());
}

void AskSeveralBar::retitle() {
    const auto language = context_.localization.language();
    placeholder_.set_text(fieldName.in(language));
    setAccessibleLabel(field_, fieldName.in(language));
    askButton_.set_label(askText.in(language));
    sideBySide_.set_label(sideBySideText.in(language));
    sideBySide_.set_tooltip_text(sideBySideHint.in(language));
    rebuildToggles();
}

bool AskSeveralBar::keyPressed(guint key, Gdk::ModifierType state) {
    const bool shift = (state & Gdk::ModifierType::SHIFT_MASK) == Gdk::ModifierType::SHIFT_MASK;
    const bool plain = (state & (Gdk::ModifierType::CONTROL_MASK | Gdk::ModifierType::ALT_MASK)) == Gdk::ModifierType{};
    if (!preedit_.empty() || !plain) return false;
    if (picker_->isOpen()) return pickerKey(key);
    if ((key == GDK_KEY_Return || key == GDK_KEY_KP_Enter) && !shift) {
        ask();
        return true;
    }
    if (key == GDK_KEY_Up || key == GDK_KEY_Down) return recall(key == GDK_KEY_Up ? 1 : -1);
    return false;
}

// Only from an empty field, or one that shows a recalled prompt unchanged.
bool AskSeveralBar::recall(int step) {
    const auto shown = recalled_ ? context_.askSeveral.recalled(recalled_) : std::nullopt;
    if (!text().empty() && (!shown || *shown != text())) {
        recalled_ = 0;
        return false;
    }
    const std::size_t next = recalled_ + step;
    if (step < 0 && recalled_ == 0) return false;
    if (next == 0) {
        recalled_ = 0;
        showText("");
        return true;
    }
    const auto prompt = context_.askSeveral.recalled(next);
    if (!prompt) return true;
    recalled_ = next;
    showText(*prompt);
    return true;
}

// The list follows what is typed after the `/`; removing the `/` closes it.
void AskSeveralBar::refreshPicker() {
    const std::string typed = text();
    const bool opens = wasEmpty_ && typed == "/";
    wasEmpty_ = typed.empty();
    if (!picker_->isOpen() && !opens) return;
    if (typed.starts_with('/')) picker_->showMatches(typed.substr(1));
    else picker_->close();
}

bool AskSeveralBar::pickerKey(guint key) {
    switch (key) {
        case GDK_KEY_Up: picker_->move(-1); return true;
        case GDK_KEY_Down: picker_->move(1); return true;
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter: picker_->pickSelected(); return true;
        case GDK_KEY_Escape: picker_->close(); return true;
        default: return false;
    }
}

void AskSeveralBar::usePrompt(const Prompt& prompt) {
    picker_->close();
    showText("");
    blanksForm_->ask(prompt);
}

// The filled prompt waits in the field to be read over and asked.
void AskSeveralBar::filled(const std::string& text, const std::vector<std::string>& services) {
    showText(text);
    if (!services.empty()) context_.askSeveral.setTargets(services);
    focusField();
}

void AskSeveralBar::ask() {
    if (askTogether(context_, context_.askSeveral.targets(), text())) recalled_ = 0;
}

// A prompt that reached every target is done; otherwise it stays for another try.
void AskSeveralBar::finished(bool allSent) {
    if (allSent) showText("");
    refreshAskButton();
}

std::string AskSeveralBar::text() const { return field_.get_buffer()->get_text(); }

void AskSeveralBar::showText(const std::string& text) {
    field_.get_buffer()->set_text(text);
    field_.get_buffer()->place_cursor(field_.get_buffer()->end());
}

}  // namespace corvina
