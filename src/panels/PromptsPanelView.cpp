#include "panels/PromptsPanelView.hpp"

#include "app/LocalizationManager.hpp"
#include "app/PromptLibrary.hpp"
#include "widgets/Accessibility.hpp"

namespace corvina {

PromptsPanelView::PromptsPanelView(AppContext& context)
    : context_(context), add_(context.queue, "plus.circle"), importFiles_(context.queue, "arrow.down.circle"),
      importFolder_(context.queue, "folder"), export_(context.queue, "arrow.up.doc"), handle_(context),
      deleteCard_([this] { confirmDelete(); }, [this] { closeDeleteCard(); }, deleteTitle, deleteMessage),
      editor_(context, [this](const Prompt& prompt) { save(prompt); }, [this] { closeEditor(); }),
      deleteLayer_(deleteCard_, [this] { closeDeleteCard(); }), editorLayer_(editor_, [this] { closeEditor(); }) {
    add_css_class("side-panel");
    add_css_class("prompts-panel");
    title_.add_css_class("side-panel-title");
    title_.set_xalign(0);
    title_.set_hexpand(true);
    header_.set_margin_top(16);
    header_.append(title_);
    for (auto* button : {&add_, &importFiles_, &importFolder_, &export_}) {
        button->set_valign(Gtk::Align::CENTER);
        header_.append(*button);
    }
    column_.set_margin_start(16);
    column_.set_margin_end(16);
    column_.set_margin_bottom(12);
    column_.append(header_);
    column_.append(search_);
    column_.append(emptyState_);
    scroller_.set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
    scroller_.set_vexpand(true);
    scroller_.set_child(column_);
    main_.append(scroller_);
    set_child(main_);
    add_overlay(handle_);
    add_overlay(deleteLayer_);
    add_overlay(editorLayer_);

    connections_ += add_.signal_clicked().connect([this] { openEditor(std::nullopt); });
    connections_ += importFiles_.signal_clicked().connect([this] { if (hooks_.importFiles) hooks_.importFiles(); });
    connections_ += importFolder_.signal_clicked().connect([this] { if (hooks_.importFolder) hooks_.importFolder(); });
    // The marked prompts, or with none marked those the search shows.
    connections_ += export_.signal_clicked().connect([this] {
        std::vector<std::string> names;
        for (const auto& name : shown_)
            if (marked_.empty() || marked_.contains(name)) names.push_back(name);
        if (hooks_.exportPrompts && !names.empty()) hooks_.exportPrompts(names);
    });
    connections_ += search_.signal_search_changed().connect([this] { refresh(); });
    connections_ += context.prompts.entries().observe([this] { refresh(); });
    connections_ += context.localization.currentLanguage().observe([this] { retitle(); });
    retitle();
    refresh();
}

void PromptsPanelView::refresh() {
    const std::string query = search_.get_text();
    const auto language = context_.localization.language();
    std::vector<const PromptEntry*> entries;
    if (query.empty()) {
        for (const auto& entry : context_.prompts.entries().get()) entries.push_back(&entry);
    } else {
        entries = context_.prompts.matching(query);
    }
    matchRowCount(entries.size());
    shown_.clear();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        shown_.push_back(entries[i]->fileName);
        rows_[i]->showEntry(*entries[i], marked_.contains(entries[i]->fileName), language);
    }
    emptyState_.set_visible(entries.empty());
}

// Rows stand for places in the list and show whichever prompt is there.
void PromptsPanelView::matchRowCount(std::size_t count) {
    while (rows_.size() > count) {
        column_.remove(*rows_.back());
        rows_.pop_back();
    }
    while (rows_.size() < count) {
        const std::size_t at = rows_.size();
        rows_.push_back(std::make_unique<PromptsPanelRow>(
            context_.queue,
            PromptsPanelRow::Actions{
                [this, at] {
                    if (const auto* entry = context_.prompts.find(shown_.at(at)); entry && hooks_.use)
                        hooks_.use(entry->prompt);
                },
                [this, at] { openEditor(shown_.at(at)); }, [this, at] { askToDelete(at); },
                [this, at](bool on) {
                    if (on) marked_.insert(shown_.at(at));
                    else marked_.erase(shown_.at(at));
                }}));
        column_.append(*rows_.back());
    }
}

void PromptsPanelView::openEditor(std::optional<std::string> fileName) {
    const auto* entry = fileName ? context_.prompts.find(*fileName) : nullptr;
    if (fileName && (!entry || entry->problem)) return;
    editing_ = fileName.value_or("");
    // On screen first, so the title field can take the keyboard.
    editorLayer_.appear();
    editor_.start(entry ? entry->prompt : Prompt{}, !entry);
}

void PromptsPanelView::save(const Prompt& prompt) {
    const bool saved = editing_->empty() ? context_.prompts.add(prompt).has_value()
                                         : context_.prompts.update(*editing_, prompt);
    if (saved) closeEditor();
}

void PromptsPanelView::closeEditor() {
    if (!editing_) return;
    editing_.reset();
    editorLayer_.leave();
    add_.grab_focus();
}

void PromptsPanelView::askToDelete(std::size_t position) {
    toDelete_ = shown_.at(position);
    deleteLayer_.appear();
    deleteCard_.cancelButton().grab_focus();
}

void PromptsPanelView::confirmDelete() {
    if (toDelete_) {
        marked_.erase(*toDelete_);
        context_.prompts.remove(*toDelete_);
    }
    closeDeleteCard();
}

void PromptsPanelView::closeDeleteCard() {
    if (!toDelete_) return;
    toDelete_.reset();
    deleteLayer_.leave();
    search_.grab_focus();
}

void PromptsPanelView::retitle() {
    const auto language = context_.localization.language();
    title_.set_text(titleText.in(language));
    handle_.setPanelTitle(titleText.in(language));
    emptyState_.setText(emptyText.in(language));
    search_.property_placeholder_text() = searchText.in(language);
    setAccessibleLabel(search_, searchText.in(language));
    add_.setName(addText.in(language));
    importFiles_.setName(importFilesText.in(language));
    importFolder_.setName(importFolderText.in(language));
    export_.setName(exportText.in(language));
    deleteCard_.retitle(language);
    refresh();
}

}  // namespace corvina
