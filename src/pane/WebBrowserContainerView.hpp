#pragma once
#include <map>
#include <optional>
#include <string>

#include <gtkmm/box.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/overlay.h>
#include <gtkmm/revealer.h>
#include <gtkmm/spinner.h>
#include "pane/PaneLayers.hpp"
#include "web/page/PageKey.hpp"
#include <webkit/webkit.h>

#include "web/AppContext.hpp"
#include "app/AITab.hpp"
#include "app/AppState.hpp"
#include "platform/MainQueue.hpp"
#include "platform/Observable.hpp"
#include "pane/DownloadToast.hpp"
#include "pane/FindBar.hpp"
#include "pane/FileDropTipView.hpp"
#include "pane/PageTroubleView.hpp"
#include "pane/PermissionBar.hpp"

namespace corvina {

class ServicePage;
class WebViewStore;

// One pane of the window. It holds the web views the page placement gives it in layers:
// only the shown one is mapped and painted, the others keep their pages untouched, so a
// switch shows the page as it was. In the active pane, the tab under the pointer in the tab
// bar is mapped under the shown one, so that a click on it finds its page drawn. Over them: a spinner while the
// shown page loads, the find bar, the zoom level for a moment after it changes, the
// download toast and the file-drop tip; and, for the shown page, our page when it stopped
// or could not be reached; above them, the bar of the shown page's permission question.
class WebBrowserContainerView : public Gtk::Overlay {
public:
    static constexpr LocalizedText secondPlaceholderText{"Select second AI", "請選擇第二款 AI", "请选择第二款 AI"};
    static constexpr LocalizedText placeholderText{"Select an AI", "請選擇一款 AI", "请选择一款 AI"};
    using Pages = std::map<PageKey, GtkWidget*>;

    WebBrowserContainerView(AppContext& context, Pane pane);
    ~WebBrowserContainerView() override;

    // The pages this pane holds, as the placement says: first every other page leaves,
    // then these join (only then may a page come from another pane).
    void letGoAllBut(const Pages& kept);
    void hold(Pages pages);

    FindBar& findBar() { return findBar_; }
    // The web view the user sees, if any.
    WebKitWebView* shownWebView() const;

protected:
    void size_allocate_vfunc(int width, int height, int baseline) override;

private:
    std::optional<std::string> currentTabID() const;
    // The page this pane shows, which it may not hold yet.
    std::optional<PageKey> shownKey() const;
    ServicePage* shownPage() const;
    void refresh();
    void release(GtkWidget* widget);
    void prepareNext();
    void refreshOverlays();
    Gdk::Rectangle toastArea() const;
    void showZoomChange();
    void retitle();
    void refreshPageState();
    void watch(ServicePage* page);

    AppContext& context_;
    WebViewStore& store_;
    Pane pane_;
    Gtk::Box column_{Gtk::Orientation::VERTICAL};
    PaneLayers layers_;
    Gtk::Box blank_;
    Gtk::Box placeholder_{Gtk::Orientation::VERTICAL, 16};
    Gtk::Image placeholderIcon_;
    Gtk::Label placeholderLabel_;
    Gtk::Spinner spinner_;
    Gtk::Revealer toastRevealer_;
    DownloadToast toast_;
    Gtk::Revealer tipRevealer_;
    FileDropTipView tip_;
    FindBar findBar_;
    PageTroubleView trouble_;
    PermissionBar permissionBar_;
    Gtk::Revealer zoomRevealer_;
    Gtk::Label zoomLabel_;
    TimerHandle zoomHide_;
    // The zoom of the shown tab when last seen, so that only its changes are shown.
    std::optional<std::pair<std::string, double>> shownZoom_;
    // The web views this pane holds, each with a reference of ours.
    Pages children_;
    // The width the shown page is told, so a narrow pane can keep its desktop layout.
    int width_ = 0;
    TimerHandle widthChange_;
    Connections connections_;
    // The page whose state this pane shows, and the connections to it.
    ServicePage* watched_ = nullptr;
    Connections pageWatch_;
};

}  // namespace corvina
