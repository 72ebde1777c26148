#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Observable.hpp"
#include "platform/PreferenceStore.hpp"

namespace corvina {

// A pane is its place in the grid, counted in reading order from 0.
using Pane = std::size_t;

// How the pane area is divided. The stored names are "1", "2", "3", "2x2", "3x2", "2rows".
enum class PaneArrangement { single, two, three, grid2x2, grid3x2, twoRows };

struct ArrangementShape {
    int columns;
    int rows;
    std::size_t panes() const { return static_cast<std::size_t>(columns * rows); }
};

ArrangementShape shapeOf(PaneArrangement arrangement);
std::string arrangementName(PaneArrangement arrangement);
std::optional<PaneArrangement> arrangementNamed(const std::string& name);
// Every arrangement, in the order they are offered.
const std::vector<PaneArrangement>& allArrangements();
// The arrangement with room for `count` services: 1, 2, 3 columns, 2 × 2, then 3 × 2.
PaneArrangement arrangementFitting(std::size_t count);

// The panes of the window: how they are arranged, which service each shows (or none),
// the one the next selection goes to, and the one enlarged over the others. Remembered
// across runs.
class PaneLayout {
public:
    using Slots = std::vector<std::optional<std::string>>;

    // Reads the stored arrangement; anything unreadable means one pane.
    explicit PaneLayout(PreferenceStore& preferences);

    // Fires once after every change, when all of it is in place.
    sigc::connection observe(sigc::slot<void()> slot) const { return changed_.connect(std::move(slot)); }

    PaneArrangement arrangement() const { return arrangement_; }
    ArrangementShape shape() const { return shapeOf(arrangement_); }
    const Slots& slots() const { return slots_; }
    Pane activePane() const { return active_; }
    std::optional<Pane> enlargedPane() const { return enlarged_; }

    std::size_t paneCount() const { return slots_.size(); }
    bool isSplit() const { return paneCount() > 1; }
    std::optional<std::string> serviceIn(Pane pane) const;
    // The panes that show this service, in reading order.
    std::vector<Pane> panesShowing(const std::string& id) const;
    // Which copy of its service's page a pane shows: 0 for the pane that has shown that
    // service longest, 1 for the next one, and so on. So a service put in a further pane
    // gets a new copy there, and the pages already shown stay where they are.
    std::size_t copyShownIn(Pane pane) const;
    // The pane showing that copy of the service's page, if one does.
    std::optional<Pane> paneShowingCopy(const std::string& id, std::size_t copy) const;

    // Panes that stay keep their services; new ones start empty. The active pane is the
    // first new one when there are more panes than before.
    void arrange(PaneArrangement arrangement);
    // The arrangement that fits the services, one in each pane, in the order given.
    void arrangeSideBySide(const std::vector<std::string>& ids);
    void show(Pane pane, std::optional<std::string> id);
    void setActive(Pane pane);
    // Reading order, wrapping: `step` panes on.
    void moveActive(int step);
    // One row up (negative) or down, same column, wrapping.
    void moveActiveRow(int step);
    void enlarge(Pane pane);
    void restore();
    void toggleEnlarged();
    // Services for which `canStay` says no leave their panes empty.
    void keepOnly(const std::function<bool(const std::string&)>& canStay);

private:
    // Stores what the panes show, then tells the observers.
    void changed();
    void showSince(Pane pane);
    void resetOrder();

    PreferenceStore& preferences_;
    PaneArrangement arrangement_ = PaneArrangement::single;
    Slots slots_ = Slots(1);
    // When each pane began to show its service, counted in changes.
    std::vector<unsigned long> shownSince_ = {0};
    unsigned long changes_ = 1;
    Pane active_ = 0;
    std::optional<Pane> enlarged_;
    mutable sigc::signal<void()> changed_;
};

}  // namespace corvina
