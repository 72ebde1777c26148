#include "window/TimingCurve.hpp"

namespace corvina {

namespace {

// One coordinate of the curve with end points 0 and 1 at parameter t.
double bezier(double t, double p1, double p2) {
    const double u = 1 - t;
    return 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t;
}

}  // namespace

double TimingCurve::progress(double time) const {
    if (time <= 0) return 0;
    if (time >= 1) return 1;
    // x(t) grows monotonically for control points inside [0, 1]: bisection always finds t.
    double low = 0, high = 1;
    while (high - low > 1e-9) {
        const double t = (low + high) / 2;
        (bezier(t, x1_, x2_) < time ? low : high) = t;
    }
    return bezier((low + high) / 2, y1_, y2_);
}

}  // namespace corvina
