#include "panels/CustomTagsPanelView.hpp"

#include "app/AITab.hpp"
#include "app/AppState.hpp"
#include "app/LocalizationManager.hpp"
#include "app/CustomTabManager.hpp"
#include "widgets/Accessibility.hpp"
#include "widgets/Icons.hpp"
#include "web/WebViewStore.hpp"

namespace corvina {

namespace {

constexpr int cardWidth = 260;

// Where the selection goes when its tag is deleted: the first service of the catalogue,
// even when the user has hidden it.
std::string firstBuiltInTabID() { return builtInTabs().empty() ? "" : builtInTabs().front().id; }

}  // namespace

CustomTagsPanelView::CustomTagsPanelView(AppContext& context)
    : context_(context), addForm_([this] { saveNewTag(); }, [this] { cancelAdding(); }), handle_(context),
      deleteCard_([this] { confirmDelete(); }, [this] { closeDeleteCard(); }),
      editCard_([this] { saveEdit(); }, [this] { closeEditCard(); }),
      deleteLayer_(deleteCard_, [this] { closeDeleteCard(); }), editLayer_(editCard_, [this] { closeEditCard(); }),
      addFormFade_(*this, addFormSpring, 1, [this](double opacity) {
          addButton_.set_opacity(opacity);
          addForm_.set_opacity(opacity);
      }) {
    add_css_class("side-panel");
    add_css_class("custom-tags-panel");
    title_.add_css_class("side-panel-title");
    title_.set_xalign(0);
    title_.set_margin_top(16);
    column_.set_margin_start(16);
    column_.set_margin_end(16);
    column_.set_margin_bottom(16);
    column_.append(title_);
    column_.append(emptyState_);
    buildAddButton();
    addForm_.add_css_class("glass");
    addForm_.add_css_class("side-panel-card");
    addForm_.set_visible(false);
    column_.append(addForm_);
    scroller_.set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
    scroller_.set_child(column_);
    set_child(scroller_);

    editCard_.set_size_request(cardWidth, -1);
    deleteCard_.set_size_request(cardWidth, -1);
    add_overlay(handle_);
    add_overlay(deleteLayer_);
    add_overlay(editLayer_);  // the edit card lies above the delete card

    connections_ += context.customTabManager.customTabs().observe([this] { refresh(); });
    connections_ += context.localization.currentLanguage().observe([this] { retitle(); });
    retitle();
}

void CustomTagsPanelView::buildAddButton() {
    addButton_.add_css_class("flat");
    addButton_.add_css_class("glass");
    addButton_.add_css_class("side-panel-card");
    addButton_.add_css_class("tags-add-button");
    showSymbol(addIcon_, "plus.circle.fill", 16);
    addIcon_.add_css_class("tag-icon");
    addLabel_.add_css_class("tags-add-text");
    addContent_.set_halign(Gtk::Align::CENTER);
    addContent_.append(addIcon_);
    addContent_.append(addLabel_);
    addButton_.set_child(addContent_);
    connections_ += addButton_.signal_clicked().connect([this] { setShowingAddForm(true); });
    column_.append(addButton_);
}

void CustomTagsPanelView::refresh() {
    const auto& tags = context_.customTabManager.customTabs().get();
    matchRowCount(tags.size());
    const auto language = context_.localization.language();
    for (std::size_t i = 0; i < tags.size(); ++i) rows_[i]->showTag(tags[i], language);
    emptyState_.set_visible(tags.empty() && !showingAddForm_);
}

// Rows keep their places and show the tag now at their position, so the focus stays put.
void CustomTagsPanelView::matchRowCount(std::size_t count) {
    while (rows_.size() > count) {
        column_.remove(*rows_.back());
        rows_.pop_back();
    }
    while (rows_.size() < count) {
        const std::size_t position = rows_.size();
        rows_.push_back(std::make_unique<CustomTagsRow>(
            context_.queue, [this, position] { openEditCard(position); }, [this, position] { askToDelete(position); }));
        column_.append(*rows_.back());
    }
}

void CustomTagsPanelView::setShowingAddForm(bool showing) {
    showingAddForm_ = showing;
    addButton_.set_visible(!showing);
    addForm_.set_visible(showing);
    emptyState_.set_visible(context_.customTabManager.customTabs().get().empty() && !showing);
    addFormFade_.set(0);
    addFormFade_.animateTo(1);
    if (showing)
        addForm_.focusFirstField();
    else
        addButton_.grab_focus();
}

// The new tag goes to the end of the list; nothing is selected and no page is opened.
void CustomTagsPanelView::saveNewTag() {
    const auto typed = addForm_.fields();
    const auto fields = typed ? savedTagFields(*typed) : std::nullopt;
    if (!fields) return;
    context_.customTabManager.add(CustomTab{newCustomTabID(), fields->name, fields->url, fields->attributes,
                                            secondsSinceReferenceDate(), fields->separateSignIn, fields->proxy});
    addForm_.clear();
    setShowingAddForm(false);
}

void CustomTagsPanelView::cancelAdding() {
    addForm_.clear();
    setShowingAddForm(false);
}

void CustomTagsPanelView::openEditCard(std::size_t position) {
    const auto& tags = context_.customTabManager.customTabs().get();
    if (position >= tags.size()) return;
    const CustomTab& tag = tags[position];
    editCard_.setFields({tag.name, tag.url, tag.attributes, tag.separateSignIn, tag.proxy});
    tagToEdit_ = tag;
    cardRow_ = position;
    editLayer_.appear();
    setListFocusable(false);
    editCard_.focusFirstField();
}

// Only the stored tag changes: a page already open for it stays as it is, and the new
// address is where its start page and any later web view go.
void CustomTagsPanelView::saveEdit() {
    if (!tagToEdit_) return;
    const auto typed = editCard_.fields();
    const auto fields = typed ? savedTagFields(*typed) : std::nullopt;
    if (!fields) return;
    CustomTab edited = *tagToEdit_;
    edited.name = fields->name;
    edited.url = fields->url;
    edited.attributes = fields->attributes;
    edited.separateSignIn = fields->separateSignIn;
    edited.proxy = fields->proxy;
    context_.customTabManager.replace(edited);
    closeEditCard();
}

void CustomTagsPanelView::closeEditCard() {
    tagToEdit_.reset();
    editLayer_.leave();
    setListFocusable(true);
    returnFocusToRow(true);
}

void CustomTagsPanelView::askToDelete(std::size_t position) {
    const auto& tags = context_.customTabManager.customTabs().get();
    if (position >= tags.size()) return;
    tagToDelete_ = tags[position];
    cardRow_ = position;
    deleteLayer_.appear();
    setListFocusable(false);
    deleteCard_.cancelButton().grab_focus();
}

// The panes let go of the tag as it goes, and then its pages go, so none is made again
// for a pane that still showed it.
void CustomTagsPanelView::confirmDelete() {
    if (!tagToDelete_) return;
    const std::string id = tagToDelete_->id;
    auto& panes = context_.appState.panes();
    for (const Pane pane : panes.panesShowing(id))
        panes.show(pane, pane == 0 ? std::optional(firstBuiltInTabID()) : std::nullopt);
    context_.customTabManager.deleteTab(id);
    context_.webViewStore.removePages(id);
    closeDeleteCard();
}

void CustomTagsPanelView::closeDeleteCard() {
    tagToDelete_.reset();
    deleteLayer_.leave();
    setListFocusable(true);
    returnFocusToRow(false);
}

// While a card is up, the keyboard stays in the card as the pointer does.
void CustomTagsPanelView::setListFocusable(bool focusable) {
    scroller_.set_can_focus(focusable);
    handle_.set_can_focus(focusable);
}

void CustomTagsPanelView::returnFocusToRow(bool toEditButton) {
    if (rows_.empty()) {
        addButton_.grab_focus();
        return;
    }
    auto& row = *rows_[std::min(cardRow_, rows_.size() - 1)];
    if (toEditButton)
        row.editButton().grab_focus();
    else
        row.deleteButton().grab_focus();
}

void CustomTagsPanelView::retitle() {
    const auto language = context_.localization.language();
    title_.set_text(titleText.in(language));
    handle_.setPanelTitle(titleText.in(language));
    emptyState_.setText(emptyText.in(language));
    addLabel_.set_text(addText.in(language));
    setAccessibleLabel(addButton_, addText.in(language));
    addForm_.retitle(language);
    editCard_.retitle(language);
    deleteCard_.retitle(language);
    refresh();
}

}  // namespace corvina
