#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/label.h>
#include <gtkmm/overlay.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/searchentry.h>

#include "app/PromptFile.hpp"
#include "panels/ClipboardPanelParts.hpp"
#include "panels/CustomTagsCardLayer.hpp"
#include "panels/CustomTagsDeleteCard.hpp"
#include "panels/PromptEditor.hpp"
#include "panels/PromptsPanelRow.hpp"
#include "platform/Observable.hpp"
#include "web/AppContext.hpp"

namespace corvina {

// The prompt library in the detail column: search, Add, Import, Export, and per prompt
// Use, Edit and Delete. Choosing files and putting a prompt into the composer belong to
// the window, which says how through the hooks.
class PromptsPanelView : public Gtk::Overlay {
public:
    static constexpr LocalizedText titleText{"Prompts", "提示詞", "提示词"};
    static constexpr LocalizedText emptyText{"No prompts", "暫無提示詞", "暂无提示词"};
    static constexpr LocalizedText searchText{"Search prompts", "搜尋提示詞", "搜索提示词"};
    static constexpr LocalizedText addText{"Add Prompt", "新增提示詞", "新建提示词"};
    static constexpr LocalizedText importFilesText{"Import Markdown Files…", "匯入 Markdown 檔案…", "导入 Markdown 文件…"};
    static constexpr LocalizedText importFolderText{"Import a Folder…", "匯入資料夾…", "导入文件夹…"};
    static constexpr LocalizedText exportText{"Export Chosen Prompts…", "匯出所選提示詞…", "导出所选提示词…"};
    static constexpr LocalizedText deleteTitle{"Delete Prompt", "刪除提示詞", "删除提示词"};
    static constexpr LocalizedText deleteMessage{"Are you sure you want to delete this prompt?",
                                                 "確定要刪除該提示詞嗎？", "确定要删除该提示词吗？"};

    struct Hooks {
        std::function<void(const Prompt&)> use;
        std::function<void()> importFiles;
        std::function<void()> importFolder;
        // The file names of the prompts to export.
        std::function<void(const std::vector<std::string>&)> exportPrompts;
    };

    explicit PromptsPanelView(AppContext& context);
    void setHooks(Hooks hooks) { hooks_ = std::move(hooks); }

    std::size_t rowCount() const { return rows_.size(); }
    PromptsPanelRow& row(std::size_t position) { return *rows_.at(position); }
    Gtk::SearchEntry& searchEntry() { return search_; }
    SidePanelIconButton& addButton() { return add_; }
    SidePanelIconButton& importFilesButton() { return importFiles_; }
    SidePanelIconButton& importFolderButton() { return importFolder_; }
    SidePanelIconButton& exportButton() { return export_; }
    bool isEditorOpen() const { return editing_.has_value(); }
    PromptEditor& editor() { return editor_; }
    bool isDeleteCardOpen() const { return toDelete_.has_value(); }
    CustomTagsDeleteCard& deleteCard() { return deleteCard_; }

private:
    void refresh();
    void matchRowCount(std::size_t count);
    void openEditor(std::optional<std::string> fileName);
    void save(const Prompt& prompt);
    void closeEditor();
    void askToDelete(std::size_t position);
    void confirmDelete();
    void closeDeleteCard();
    void retitle();

    AppContext& context_;
    Hooks hooks_;
    Gtk::Box main_{Gtk::Orientation::VERTICAL, 0};
    Gtk::ScrolledWindow scroller_;
    Gtk::Box column_{Gtk::Orientation::VERTICAL, 12};
    Gtk::Box header_{Gtk::Orientation::HORIZONTAL, 2};
    Gtk::Label title_;
    SidePanelIconButton add_;
    SidePanelIconButton importFiles_;
    SidePanelIconButton importFolder_;
    SidePanelIconButton export_;
    Gtk::SearchEntry search_;
    SidePanelEmptyState emptyState_{"text.bubble", 40};
    std::vector<std::unique_ptr<PromptsPanelRow>> rows_;
    // The file names the rows show now, and those marked for export.
    std::vector<std::string> shown_;
    std::set<std::string> marked_;
    SidePanelCollapseHandle handle_;
    CustomTagsDeleteCard deleteCard_;
    PromptEditor editor_;
    CustomTagsCardLayer deleteLayer_;
    CustomTagsCardLayer editorLayer_;
    std::optional<std::string> toDelete_;
    // The file being edited; empty while adding.
    std::optional<std::string> editing_;
    Connections connections_;
};

}  // namespace corvina
