#pragma once

namespace corvina {

// A cubic Bézier timing curve from (0, 0) to (1, 1), as CSS writes them.
class TimingCurve {
public:
    constexpr TimingCurve(double x1, double y1, double x2, double y2) : x1_(x1), y1_(y1), x2_(x2), y2_(y2) {}

    // Slow start and end, for slides to and from the edge.
    static constexpr TimingCurve easeInEaseOut() { return {0.42, 0, 0.58, 1}; }
    // Fast start and a long soft landing, for zoom, undock and split widening.
    static constexpr TimingCurve quickSettle() { return {0.2, 0.9, 0.3, 1.0}; }

    // How far along the change is (y) when `time` (x, 0 to 1) has passed.
    double progress(double time) const;

    bool operator==(const TimingCurve&) const = default;

private:
    double x1_, y1_, x2_, y2_;
};

}  // namespace corvina
