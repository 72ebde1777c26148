#pragma once
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/overlay.h>
#include <gtkmm/scrolledwindow.h>

#include "web/AppContext.hpp"
#include "panels/ClipboardPanelParts.hpp"
#include "panels/ClipboardPanelRow.hpp"
#include "platform/MainQueue.hpp"
#include "platform/Observable.hpp"

namespace corvina {

// The clipboard history in the detail column: numbered entries, oldest first, each with
// copy back and delete; a button that empties the history; the collapse handle.
class ClipboardPanelView : public Gtk::Overlay {
public:
    static constexpr LocalizedText titleText{"Clipboard", "剪貼板", "剪贴板"};
    static constexpr LocalizedText emptyText{"No clipboard history", "暫無剪貼板記錄", "暂无剪贴板记录"};
    static constexpr LocalizedText clearText{"Clear Clipboard", "一鍵清空剪貼板", "一键清空剪贴板"};
    static constexpr Milliseconds copiedMarkTime{1000};

    explicit ClipboardPanelView(AppContext& context);

    std::string title() const { return title_.get_text(); }
    std::size_t rowCount() const { return rows_.size(); }
    ClipboardPanelRow& row(std::size_t position) { return *rows_.at(position); }
    bool showsEmptyState() const { return emptyState_.get_visible(); }
    const SidePanelEmptyState& emptyState() const { return emptyState_; }
    bool showsClearButton() const { return clearButton_.get_visible(); }
    std::string clearButtonText() const { return clearLabel_.get_text(); }
    Gtk::Button& clearButton() { return clearButton_; }
    SidePanelCollapseHandle& collapseHandle() { return handle_; }

private:
    void buildClearButton();
    void refresh();
    void matchRowCount(std::size_t count);
    void copyEntry(std::size_t position);
    void setCopiedIndex(std::optional<std::size_t> position);
    void retitle();

    AppContext& context_;
    Gtk::Box main_{Gtk::Orientation::VERTICAL, 0};
    Gtk::ScrolledWindow scroller_;
    Gtk::Box column_{Gtk::Orientation::VERTICAL, 16};
    Gtk::Label title_;
    SidePanelEmptyState emptyState_{"doc.on.clipboard", 60};
    std::vector<std::unique_ptr<ClipboardPanelRow>> rows_;
    Gtk::Button clearButton_;
    Gtk::Box clearContent_{Gtk::Orientation::HORIZONTAL, 6};
    Gtk::Image clearIcon_;
    Gtk::Label clearLabel_;
    SidePanelCollapseHandle handle_;
    // The row that shows the green check mark.
    std::optional<std::size_t> copiedIndex_;
    // Every copy clears the mark one second later, whichever row holds it by then.
    std::deque<TimerHandle> copiedMarkResets_;
    Connections connections_;
};

}  // namespace corvina
