#pragma once
#include <functional>
#include <memory>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/textview.h>

#include "app/AppLanguage.hpp"
#include "app/PromptFile.hpp"
#include "platform/Observable.hpp"
#include "web/AppContext.hpp"

namespace corvina {

// The card that adds or edits a prompt: title, text (with its blanks), and the services it
// is usually asked of. Save stays off while the title is blank.
class PromptEditor : public Gtk::Box {
public:
    static constexpr LocalizedText addTitle{"New Prompt", "新增提示詞", "新建提示词"};
    static constexpr LocalizedText editTitle{"Edit Prompt", "編輯提示詞", "编辑提示词"};
    static constexpr LocalizedText titleField{"Title", "標題", "标题"};
    static constexpr LocalizedText textField{"Prompt", "提示詞", "提示词"};
    static constexpr LocalizedText servicesText{"Usually asked of", "通常詢問的服務", "通常询问的服务"};
    static constexpr LocalizedText saveText{"Save", "儲存", "保存"};

    PromptEditor(AppContext& context, std::function<void(const Prompt&)> onSave, std::function<void()> onCancel);

    // Shows `prompt` for editing, or an empty form for a new one.
    void start(const Prompt& prompt, bool adding);
    Gtk::Entry& titleEntry() { return title_; }
    Gtk::TextView& textView() { return text_; }
    Gtk::Button& saveButton() { return save_; }

private:
    void retitle();
    Prompt edited() const;

    AppContext& context_;
    bool adding_ = true;
    Gtk::Label heading_;
    Gtk::Entry title_;
    Gtk::ScrolledWindow textScroller_;
    Gtk::TextView text_;
    Gtk::Label servicesLabel_;
    Gtk::ScrolledWindow servicesScroller_;
    Gtk::Box services_{Gtk::Orientation::VERTICAL, 2};
    std::vector<std::pair<std::string, std::unique_ptr<Gtk::CheckButton>>> serviceChecks_;
    Gtk::Box buttons_{Gtk::Orientation::HORIZONTAL, 12};
    Gtk::Button cancel_;
    Gtk::Button save_;
    Connections connections_;
};

}  // namespace corvina
