#pragma once
#include <vector>

#include <gtkmm/widget.h>

namespace corvina {

// Children side by side at their natural widths, going on to the next line where the
// width runs out: badges and check boxes stay on one line when the user's font allows.
// The box owns its children and removes them when it goes.
class CustomTagsWrapBox : public Gtk::Widget {
public:
    CustomTagsWrapBox(int columnSpacing, int rowSpacing);
    ~CustomTagsWrapBox() override;

    // Takes a managed widget (Gtk::make_managed).
    void append(Gtk::Widget& child);

protected:
    Gtk::SizeRequestMode get_request_mode_vfunc() const override { return Gtk::SizeRequestMode::HEIGHT_FOR_WIDTH; }
    void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                       int& naturalBaseline) const override;
    void size_allocate_vfunc(int width, int height, int baseline) override;

private:
    struct Placement {
        Gtk::Widget* child;
        Gtk::Allocation area;
    };
    std::vector<Placement> placements(int width) const;
    int heightAt(int width) const;

    int columnSpacing_;
    int rowSpacing_;
    std::vector<Gtk::Widget*> children_;
};

}  // namespace corvina
