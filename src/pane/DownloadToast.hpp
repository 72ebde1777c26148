#pragma once
#include <functional>

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

namespace corvina {

// The short note at the top of a pane when a download ends, with a close button. Its
// message wraps to the width it is given; the pane gives it `width`, or less when narrower.
class DownloadToast : public Gtk::Box {
public:
    static constexpr int width = 260;
    static constexpr int maxLines = 6;

    explicit DownloadToast(std::function<void()> onClose);

    void setMessage(const std::string& message);
    void setCloseLabel(const std::string& label);

private:
    Gtk::Image icon_;
    Gtk::Label message_;
    Gtk::Button close_;
};

}  // namespace corvina
