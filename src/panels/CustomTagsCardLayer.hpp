#pragma once
#include <functional>

#include <gtkmm/button.h>
#include <gtkmm/widget.h>

#include "platform/Observable.hpp"
#include "widgets/Spring.hpp"

namespace corvina {

// A card floating in the middle of the panel over a dimming cover that takes the whole
// panel. It appears at once and leaves with a fade and a shrink to 0.9 about its centre.
// A click on the cover, or Escape, cancels.
class CustomTagsCardLayer : public Gtk::Widget {
public:
    static constexpr SpringCurve leaveSpring{0.25, 1.0};
    static constexpr double leftScale = 0.9;

    CustomTagsCardLayer(Gtk::Widget& card, std::function<void()> onCancel);
    ~CustomTagsCardLayer() override;

    void appear();
    void leave();
    Gtk::Button& cover() { return cover_; }

protected:
    void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                       int& naturalBaseline) const override;
    void size_allocate_vfunc(int width, int height, int baseline) override;

private:
    void applyPresence(double presence);

    Gtk::Button cover_;
    Gtk::Widget& card_;
    Connections connections_;
    double presence_ = 0;
    SpringValue presenceSpring_;
};

}  // namespace corvina
