#include "ui/PaneGrid.hpp"

#include <algorithm>

#include "app/AppState.hpp"

#include <gtkmm/root.h>

namespace corvina {

PaneGrid::PaneGrid(AppContext& context) : context_(context), placement_(context) {
    add_css_class("pane-grid");
    set_hexpand(true);
    set_vexpand(true);
    connections_ += context.appState.panes().observe([this] { reconcile(); });
    connections_ += context.appState.dockSide().observe([this] { reconcile(); });
    reconcile();
}

PaneGrid::~PaneGrid() {
    connections_.clear();
    for (auto& frame : frames_) {
        placement_.detach(frame->pane());
        frame->unparent();
    }
    for (auto& divider : dividers_) divider->unparent();
}

int PaneGrid::columnsAt(int width, int columns) {
    return std::clamp((width + gap) / (minimumColumnWidth + gap), 1, std::max(columns, 1));
}

void PaneGrid::reconcile() {
    const auto& panes = context_.appState.panes();
    const auto count = panes.paneCount();
    while (frames_.size() > count) {
        placement_.detach(frames_.back()->pane());
        frames_.back()->unparent();
        frames_.pop_back();
    }
    while (frames_.size() < count) {
        auto frame = std::make_unique<PaneFrame>(context_, frames_.size());
        frame->set_parent(*this);
        placement_.attach(frame->pane(), frame->container());
        frames_.push_back(std::move(frame));
    }
    const auto inView = framesInView();
    for (auto& frame : frames_)
        frame->set_visible(std::find(inView.begin(), inView.end(), frame.get()) != inView.end());
    // One divider for every gap there can be: between columns, and between rows.
    const auto [columns, rows] = panes.shape();
    const std::size_t dividers = inView.size() > 1 ? static_cast<std::size_t>(columns - 1 + rows - 1) + 1 : 0;
    while (dividers_.size() > dividers) {
        dividers_.back()->unparent();
        dividers_.pop_back();
    }
    while (dividers_.size() < dividers) {
        auto divider = std::make_unique<Gtk::Box>();
        divider->add_css_class("split-divider");
        divider->set_can_target(false);
        divider->set_parent(*this);
        dividers_.push_back(std::move(divider));
    }
    placement_.place();
    followFocus(std::exchange(shownActive_, panes.activePane()));
    queue_allocate();
}

std::vector<PaneFrame*> PaneGrid::framesInView() const {
    const auto& panes = context_.appState.panes();
    std::optional<Pane> alone = panes.enlargedPane();
    if (!alone && context_.appState.dockSide().get() != DockSide::none) alone = panes.activePane();
    std::vector<PaneFrame*> frames;
    for (const auto& frame : frames_)
        if (!alone || frame->pane() == *alone) frames.push_back(frame.get());
    return frames;
}

// The keyboard goes along when the active pane changes while it was in a pane's page.
void PaneGrid::followFocus(Pane previous) {
    const Pane active = context_.appState.panes().activePane();
    if (active == previous || previous >= frames_.size() || active >= frames_.size()) return;
    auto* root = get_root();
    auto* focus = root ? root->get_focus() : nullptr;
    if (!focus || !focus->is_ancestor(*frames_[previous])) return;
    if (auto* view = frames_[active]->container().shownWebView()) gtk_widget_grab_focus(GTK_WIDGET(view));
}

Gtk::SizeRequestMode PaneGrid::get_request_mode_vfunc() const { return Gtk::SizeRequestMode::CONSTANT_SIZE; }

// The pages take what room the window gives them; they ask for none of their own.
void PaneGrid::measure_vfunc(Gtk::Orientation, int, int& minimum, int& natural, int& minimumBaseline,
                             int& naturalBaseline) const {
    minimum = natural = 0;
    minimumBaseline = naturalBaseline = -1;
}

void PaneGrid::size_allocate_vfunc(int width, int height, int) {
    const auto inView = framesInView();
    if (inView.empty()) return;
    const auto count = static_cast<int>(inView.size());
    const int columns = columnsAt(width, count == 1 ? 1 : context_.appState.panes().shape().columns);
    const int rows = (count + columns - 1) / columns;
    const auto edge = [](int total, int cells, int index) { return (total + gap) * index / cells; };
    for (int i = 0; i < count; ++i) {
        const int column = i % columns, row = i / columns;
        const int x = edge(width, columns, column), y = edge(height, rows, row);
        const int right = edge(width, columns, column + 1) - gap, bottom = edge(height, rows, row + 1) - gap;
        allocate(*inView[static_cast<std::size_t>(i)], x, y, right - x, bottom - y);
    }
    // The dividers lie over the gaps, 2 px wide, in their middle.
    std::size_t next = 0;
    const auto place = [&](int x, int y, int w, int h) {
        if (next < dividers_.size()) allocate(*dividers_[next++], x, y, w, h);
    };
    if (count > 1) {
        for (int column = 1; column < columns; ++column)
            place(edge(width, columns, column) - gap / 2 - 1, 0, 2, height);
        for (int row = 1; row < rows; ++row) place(0, edge(height, rows, row) - gap / 2 - 1, width, 2);
    }
    // Gaps there are not now (the panes wrapped) get dividers of no size.
    for (; next < dividers_.size(); ++next) allocate(*dividers_[next], 0, 0, 0, 0);
}

// GTK wants every child measured before it is given its place.
void PaneGrid::allocate(Gtk::Widget& child, int x, int y, int width, int height) {
    int minimum = 0, natural = 0, ignored = 0;
    child.measure(Gtk::Orientation::HORIZONTAL, -1, minimum, natural, ignored, ignored);
    child.measure(Gtk::Orientation::VERTICAL, -1, minimum, natural, ignored, ignored);
    child.size_allocate(Gtk::Allocation(x, y, std::max(width, 0), std::max(height, 0)), -1);
}

}  // namespace corvina
