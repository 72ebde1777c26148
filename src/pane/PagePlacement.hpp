#pragma once
#include <map>
#include <string>

#include "app/PaneLayout.hpp"
#include "platform/MainQueue.hpp"
#include "platform/Observable.hpp"
#include "web/AppContext.hpp"

namespace corvina {

class WebBrowserContainerView;

// Which pane holds which page. A service has one page, held by the pane that shows it; a
// page no pane shows waits, covered, in the active pane, where a click on its tab shows it
// at once. A further copy of a service's page lives only while a further pane shows that
// service. Pages move between panes whole: nothing reloads.
class PagePlacement {
public:
    explicit PagePlacement(AppContext& context);
    ~PagePlacement();
    PagePlacement(const PagePlacement&) = delete;
    PagePlacement& operator=(const PagePlacement&) = delete;

    // Places follow the panes, the services and the pages by themselves; a pane added
    // waits for the next placement.
    void attach(Pane pane, WebBrowserContainerView& container);
    // The pane goes: its pages wait for the next placement.
    void detach(Pane pane);
    // Puts every page where it belongs now. The shown pages are made at once; the other
    // services' pages follow one per frame, so the window and the shown pages come first.
    void place();

private:
    void placeOnce();
    void endUnshownCopies();
    void createNextPage();
    bool waitsForBackgroundLoad(const std::string& id) const;

    AppContext& context_;
    std::map<Pane, WebBrowserContainerView*> containers_;
    TimerHandle creating_;
    Connections connections_;
    // Making or ending a page asks for a placement while one runs: it runs again after.
    bool placing_ = false;
    bool again_ = false;
};

}  // namespace corvina
