#pragma once
#include <map>
#include <string>

#include "platform/Observable.hpp"
#include "platform/PreferenceStore.hpp"

namespace corvina {

// How large each service's page is drawn, remembered per service under "pageZoomLevels"
// (service id → factor; services at 100 % are left out). Changes go in the steps a
// browser offers, from 50 % to 300 %.
class PageZoom {
public:
    static constexpr double smallest = 0.5;
    static constexpr double largest = 3.0;

    explicit PageZoom(PreferenceStore& preferences);

    const Published<std::map<std::string, double>>& levels() const { return levels_; }
    double level(const std::string& tabID) const;

    void zoomIn(const std::string& tabID);
    void zoomOut(const std::string& tabID);
    void reset(const std::string& tabID);

private:
    void set(const std::string& tabID, double level);

    PreferenceStore& preferences_;
    Published<std::map<std::string, double>> levels_;
};

// "110 %": how a zoom level is shown.
std::string zoomPercentText(double level);

// Sites switch to their phone layout below about this width, in CSS pixels.
inline constexpr int desktopLayoutWidth = 640;
// Further out than this, text in a narrow pane gets too small to read.
inline constexpr double smallestNarrowPaneScale = 0.6;

// What a page in a pane `paneWidthPx` wide is zoomed by, on top of its service's level, so
// that it is laid out `desktopLayoutWidth` wide: 1 when the user keeps phone layouts or the
// pane is wide enough.
double narrowPaneScale(int paneWidthPx, bool keepDesktopLayout);

}  // namespace corvina
