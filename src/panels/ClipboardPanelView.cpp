#include "panels/ClipboardPanelView.hpp"

#include "app/LocalizationManager.hpp"
#include "app/ClipboardManager.hpp"
#include "widgets/Accessibility.hpp"
#include "widgets/Icons.hpp"

namespace corvina {

ClipboardPanelView::ClipboardPanelView(AppContext& context) : context_(context), handle_(context) {
    add_css_class("side-panel");
    add_css_class("clipboard-panel");
    title_.add_css_class("side-panel-title");
    title_.set_xalign(0);
    title_.set_margin_top(16);
    column_.set_margin_start(16);
    column_.set_margin_end(16);
    column_.set_margin_bottom(12);
    column_.append(title_);
    column_.append(emptyState_);
    scroller_.set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
    scroller_.set_vexpand(true);
    scroller_.set_child(column_);
    main_.append(scroller_);
    buildClearButton();
    set_child(main_);
    add_overlay(handle_);

    connections_ += context.clipboardManager.items().observe([this] { refresh(); });
    connections_ += context.localization.currentLanguage().observe([this] { retitle(); });
    refresh();
    retitle();
}

void ClipboardPanelView::buildClearButton() {
    clearButton_.add_css_class("flat");
    clearButton_.add_css_class("clipboard-clear");
    clearButton_.set_margin_start(16);
    clearButton_.set_margin_end(16);
    clearButton_.set_margin_bottom(12);
    showSymbol(clearIcon_, "trash", 11);
    clearContent_.set_halign(Gtk::Align::CENTER);
    clearContent_.append(clearIcon_);
    clearContent_.append(clearLabel_);
    clearButton_.set_child(clearContent_);
    nameAfter(clearButton_, clearLabel_);
    // Empties the history at once; the pasteboard itself keeps what it holds.
    connections_ += clearButton_.signal_clicked().connect([this] { context_.clipboardManager.removeAll(); });
    main_.append(clearButton_);
}

void ClipboardPanelView::refresh() {
    const auto& items = context_.clipboardManager.items().get();
    matchRowCount(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        rows_[i]->showEntry(i, items[i]);
        rows_[i]->setCopiedMarkShown(copiedIndex_ == i);
    }
    emptyState_.set_visible(items.empty());
    clearButton_.set_visible(!items.empty());
}

// Rows stay where they are and take the entry of their position, so keyboard focus stays
// on the same place in the list when an entry above goes away.
void ClipboardPanelView::matchRowCount(std::size_t count) {
    while (rows_.size() > count) {
        column_.remove(*rows_.back());
        rows_.pop_back();
    }
    while (rows_.size() < count) {
        const std::size_t position = rows_.size();
        rows_.push_back(std::make_unique<ClipboardPanelRow>(
            context_.queue, [this, position] { copyEntry(position); },
            [this, position] { context_.clipboardManager.removeItem(position); }));
        rows_.back()->retitle(context_.localization.language());
        column_.append(*rows_.back());
    }
}

void ClipboardPanelView::copyEntry(std::size_t position) {
    const auto& items = context_.clipboardManager.items().get();
    if (position >= items.size()) return;
    context_.clipboardManager.copyToPasteboard(items[position]);
    setCopiedIndex(position);
    // The marks run out in the order the copies were made, so the oldest reset is first.
    copiedMarkResets_.push_back(context_.queue.after(copiedMarkTime, [this] {
        copiedMarkResets_.pop_front();
        setCopiedIndex(std::nullopt);
    }));
}

void ClipboardPanelView::setCopiedIndex(std::optional<std::size_t> position) {
    copiedIndex_ = position;
    for (std::size_t i = 0; i < rows_.size(); ++i) rows_[i]->setCopiedMarkShown(copiedIndex_ == i);
}

void ClipboardPanelView::retitle() {
    const auto language = context_.localization.language();
    title_.set_text(titleText.in(language));
    handle_.setPanelTitle(titleText.in(language));
    emptyState_.setText(emptyText.in(language));
    clearLabel_.set_text(clearText.in(language));
    for (auto& row : rows_) row->retitle(language);
}

}  // namespace corvina
