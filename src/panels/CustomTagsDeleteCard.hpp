#pragma once
#include <functional>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

#include "app/AppLanguage.hpp"
#include "platform/Observable.hpp"

namespace corvina {

// Asks whether a tag (or another item of a panel, by the texts given) should really go,
// with Cancel and Confirm.
class CustomTagsDeleteCard : public Gtk::Box {
public:
    static constexpr LocalizedText titleText{"Delete Tag", "刪除標籤", "删除标签"};
    static constexpr LocalizedText messageText{"Are you sure you want to delete this tag?", "確定要刪除該標籤嗎？",
                                               "确定要删除该标签吗？"};

    CustomTagsDeleteCard(std::function<void()> onConfirm, std::function<void()> onCancel,
                         LocalizedText title = titleText, LocalizedText message = messageText);

    void retitle(AppLanguage language);
    std::string title() const { return title_.get_text(); }
    Gtk::Button& cancelButton() { return cancel_; }
    Gtk::Button& confirmButton() { return confirm_; }

private:
    LocalizedText titleText_;
    LocalizedText messageText_;
    Gtk::Image warning_;
    Gtk::Label title_;
    Gtk::Label message_;
    Gtk::Box buttons_{Gtk::Orientation::HORIZONTAL, 12};
    Gtk::Button cancel_;
    Gtk::Button confirm_;
    Connections connections_;
};

}  // namespace corvina
