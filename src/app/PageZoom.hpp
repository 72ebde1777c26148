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

}  // namespace corvina
