#include "panels/CustomTagsWrapBox.hpp"

#include <algorithm>

namespace corvina {

namespace {

int naturalSize(const Gtk::Widget& widget, Gtk::Orientation orientation, int forSize = -1) {
    int minimum = 0, natural = 0, ignored = 0;
    widget.measure(orientation, forSize, minimum, natural, ignored, ignored);
    return natural;
}

}  // namespace

CustomTagsWrapBox::CustomTagsWrapBox(int columnSpacing, int rowSpacing)
    : columnSpacing_(columnSpacing), rowSpacing_(rowSpacing) {}

CustomTagsWrapBox::~CustomTagsWrapBox() {
    for (auto* child : children_) child->unparent();
}

void CustomTagsWrapBox::append(Gtk::Widget& child) {
    child.set_parent(*this);
    children_.push_back(&child);
}

// Lines fill from the left; a child wider than the box gets the box's width.
std::vector<CustomTagsWrapBox::Placement> CustomTagsWrapBox::placements(int width) const {
    std::vector<Placement> result;
    int x = 0, y = 0, lineHeight = 0;
    for (auto* child : children_) {
        if (!child->get_visible()) continue;
        const int childWidth = std::min(naturalSize(*child, Gtk::Orientation::HORIZONTAL), width);
        if (x > 0 && x + childWidth > width) {
            y += lineHeight + rowSpacing_;
            x = lineHeight = 0;
        }
        const int childHeight = naturalSize(*child, Gtk::Orientation::VERTICAL, childWidth);
        result.push_back({child, Gtk::Allocation(x, y, childWidth, childHeight)});
        x += childWidth + columnSpacing_;
        lineHeight = std::max(lineHeight, childHeight);
    }
    return result;
}

int CustomTagsWrapBox::heightAt(int width) const {
    int height = 0;
    for (const auto& placement : placements(width))
        height = std::max(height, placement.area.get_y() + placement.area.get_height());
    return height;
}

// At least as wide as the widest child; naturally, everything on one line.
void CustomTagsWrapBox::measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural,
                                      int& minimumBaseline, int& naturalBaseline) const {
    minimumBaseline = naturalBaseline = -1;
    int widest = 0, oneLine = 0;
    for (auto* child : children_) {
        if (!child->get_visible()) continue;
        const int width = naturalSize(*child, Gtk::Orientation::HORIZONTAL);
        widest = std::max(widest, width);
        oneLine += (oneLine ? columnSpacing_ : 0) + width;
    }
    if (orientation == Gtk::Orientation::HORIZONTAL) {
        minimum = widest;
        natural = oneLine;
        return;
    }
    minimum = natural = heightAt(forSize < 0 ? oneLine : forSize);
}

void CustomTagsWrapBox::size_allocate_vfunc(int width, int, int) {
    for (const auto& placement : placements(width)) placement.child->size_allocate(placement.area, -1);
}

}  // namespace corvina
