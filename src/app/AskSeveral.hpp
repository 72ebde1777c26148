#pragma once
#include <cstddef>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/AITab.hpp"
#include "app/AppState.hpp"
#include "platform/Observable.hpp"
#include "platform/PreferenceStore.hpp"

namespace corvina {

class CustomTabManager;

// The Ask Several composer's state: whether it is open, which services a prompt goes to,
// and the prompts asked in this run (in memory only, like the clipboard history).
// The choice is stored as the ids of the chosen services; with none stored, the services
// shown in the panes are chosen.
class AskSeveral {
public:
    static constexpr std::size_t historyLength = 20;

    AskSeveral(PreferenceStore& preferences, const AppState& state, const CustomTabManager& customTabs);

    const Published<bool>& isOpen() const { return isOpen_; }
    void setOpen(bool open) { isOpen_.set(open); }
    // Whether asking shows the asked services side by side in the panes; remembered.
    const Published<bool>& sideBySide() const { return sideBySide_; }
    void setSideBySide(bool on);
    // The services to put side by side for an ask of these targets, if any: two to six.
    std::optional<std::vector<std::string>> panesFor(const std::vector<AITab>& targets) const;

    // The visible services, in tab bar order, that a prompt goes to now.
    std::vector<AITab> targets() const;
    bool isChosen(const std::string& id) const;
    // Stores the whole choice as it now stands, so a service the user did not touch keeps
    // what the user saw; ids of services that no longer exist are left out.
    void setChosen(const std::string& id, bool chosen);
    // Makes these services, of those that exist, the whole choice.
    void setTargets(const std::vector<std::string>& ids);
    // The choice may have changed: stored, or the panes' services while none is stored.
    sigc::connection observeChoice(sigc::slot<void()> slot) const { return choiceChanged_.connect(std::move(slot)); }

    // The newest prompt first; blank prompts and a repeat of the newest are not kept.
    void remember(const std::string& prompt);
    // The prompt `back` steps back (1: the newest), if there is one.
    std::optional<std::string> recalled(std::size_t back) const;
    std::size_t historySize() const { return history_.size(); }

private:
    bool exists(const std::string& id) const;

    PreferenceStore& preferences_;
    const AppState& state_;
    const CustomTabManager& customTabs_;
    Published<bool> isOpen_{false};
    Published<bool> sideBySide_{true};
    std::optional<std::set<std::string>> stored_;
    std::deque<std::string> history_;
    mutable sigc::signal<void()> choiceChanged_;
    Connections sources_;
};

}  // namespace corvina
