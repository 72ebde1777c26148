#pragma once
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
#include "panels/CustomTagsCardLayer.hpp"
#include "panels/CustomTagsDeleteCard.hpp"
#include "panels/CustomTagsForm.hpp"
#include "panels/CustomTagsRow.hpp"
#include "platform/Observable.hpp"
#include "widgets/Spring.hpp"

namespace corvina {

// The user's custom tags in the detail column: the list, the add form inside it, and the
// edit and delete cards over the whole panel. The only place where tags are made, changed
// and removed.
class CustomTagsPanelView : public Gtk::Overlay {
public:
    static constexpr LocalizedText titleText{"Custom Tags", "自訂標籤", "自定义标签"};
    static constexpr LocalizedText emptyText{"No custom tags", "暫無自訂標籤", "暂无自定义标签"};
    static constexpr LocalizedText addText{"Click to add tag", "點擊添加標籤", "点击添加标签"};
    static constexpr SpringCurve addFormSpring{0.3, 1.0};

    explicit CustomTagsPanelView(AppContext& context);

    std::string title() const { return title_.get_text(); }
    bool showsEmptyState() const { return emptyState_.get_visible(); }
    const SidePanelEmptyState& emptyState() const { return emptyState_; }
    std::size_t rowCount() const { return rows_.size(); }
    CustomTagsRow& row(std::size_t position) { return *rows_.at(position); }
    SidePanelCollapseHandle& collapseHandle() { return handle_; }

    Gtk::Button& addButton() { return addButton_; }
    std::string addButtonText() const { return addLabel_.get_text(); }
    bool isAddFormOpen() const { return showingAddForm_; }
    CustomTagsForm& addForm() { return addForm_; }

    bool isEditCardOpen() const { return tagToEdit_.has_value(); }
    CustomTagsForm& editCard() { return editCard_; }
    CustomTagsCardLayer& editLayer() { return editLayer_; }

    bool isDeleteCardOpen() const { return tagToDelete_.has_value(); }
    CustomTagsDeleteCard& deleteCard() { return deleteCard_; }
    CustomTagsCardLayer& deleteLayer() { return deleteLayer_; }

private:
    void buildAddButton();
    void refresh();
    void matchRowCount(std::size_t count);
    void setShowingAddForm(bool showing);
    void saveNewTag();
    void cancelAdding();
    void openEditCard(std::size_t position);
    void saveEdit();
    void closeEditCard();
    void askToDelete(std::size_t position);
    void confirmDelete();
    void closeDeleteCard();
    void setListFocusable(bool focusable);
    void returnFocusToRow(bool toEditButton);
    void retitle();

    AppContext& context_;
    Gtk::ScrolledWindow scroller_;
    Gtk::Box column_{Gtk::Orientation::VERTICAL, 16};
    Gtk::Label title_;
    SidePanelEmptyState emptyState_{"tag", 40};
    Gtk::Button addButton_;
    Gtk::Box addContent_{Gtk::Orientation::HORIZONTAL, 8};
    Gtk::Image addIcon_;
    Gtk::Label addLabel_;
    CustomTagsForm addForm_;
    std::vector<std::unique_ptr<CustomTagsRow>> rows_;
    SidePanelCollapseHandle handle_;
    CustomTagsDeleteCard deleteCard_;
    CustomTagsForm editCard_;
    CustomTagsCardLayer deleteLayer_;
    CustomTagsCardLayer editLayer_;

    bool showingAddForm_ = false;
    std::optional<CustomTab> tagToDelete_;
    std::optional<CustomTab> tagToEdit_;
    // The row whose button opened the card that is up, for the keyboard focus to go back to.
    std::size_t cardRow_ = 0;
    Connections connections_;
    SpringValue addFormFade_;
};

}  // namespace corvina
