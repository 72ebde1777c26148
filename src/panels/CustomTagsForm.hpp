#pragma once
#include <functional>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/dropdown.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/stringlist.h>

#include "app/AppLanguage.hpp"
#include "panels/CustomTagsEditing.hpp"
#include "panels/CustomTagsWrapBox.hpp"
#include "panels/ProxyChoiceView.hpp"
#include "platform/Observable.hpp"

namespace corvina {

// Name, flags and address of a tag, whether it signs in apart (and then its proxy), with
// Cancel and Save: the add form inside the list and the body of the edit card. Save stays
// disabled while either text field is empty.
class CustomTagsForm : public Gtk::Box {
public:
    static constexpr LocalizedText cancelText{"Cancel", "取消", "取消"};

    CustomTagsForm(std::function<void()> onSave, std::function<void()> onCancel);

    // None when the proxy address is refused; the form then shows why.
    std::optional<CustomTagsFields> fields();
    void setFields(const CustomTagsFields& fields);
    void clear() { setFields({}); }
    void retitle(AppLanguage language);
    void focusFirstField() { name_.grab_focus(); }

    Gtk::Entry& nameField() { return name_; }
    Gtk::Entry& urlField() { return url_; }
    // The check box of the flag at this place in tabAttributeFlags().
    Gtk::CheckButton& flagBox(std::size_t index) { return *flagBoxes_.at(index); }
    // Shared (0) or separate (1).
    Gtk::DropDown& signInChooser() { return signIn_; }
    std::string signInChoiceText(unsigned index) const { return signInNames_->get_string(index); }
    ProxyChoiceView& proxyChoice() { return proxy_; }
    Gtk::Button& cancelButton() { return cancel_; }
    Gtk::Button& saveButton() { return save_; }

private:
    Gtk::Box& group(Gtk::Label& label, Gtk::Widget& control);
    void buildFlags();
    void buildSignIn();
    void buildButtons(std::function<void()> onCancel);
    void refreshSave();

    std::function<void()> onSave_;
    Gtk::Label nameLabel_;
    Gtk::Entry name_;
    Gtk::Label flagsLabel_;
    CustomTagsWrapBox flagsRow_{6, 4};
    // One per flag, owned by the box above.
    std::vector<Gtk::CheckButton*> flagBoxes_;
    Gtk::Label urlLabel_;
    Gtk::Entry url_;
    Glib::RefPtr<Gtk::StringList> signInNames_;
    Gtk::DropDown signIn_;
    ProxyChoiceView proxy_;
    Gtk::Box buttons_{Gtk::Orientation::HORIZONTAL, 8};
    Gtk::Button cancel_;
    Gtk::Button save_;
    // Also keeps bits no check box stands for, so an edit never drops them.
    TabAttributes attributes_;
    Connections connections_;
};

}  // namespace corvina
