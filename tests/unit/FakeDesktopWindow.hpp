#pragma once
#include "support/ManualMainQueue.hpp"
#include "window/DesktopWindow.hpp"

namespace corvina::testing {

// A 1440 × 900 monitor with a 25-pixel panel along its top.
inline const ScreenFrames laptop{{0, 0, 1440, 900}, {0, 25, 1440, 875}};
inline const Rect startFrame{320, 150, 800, 600};

// A window on a pretend desktop; its animations take their time on the manual clock.
class FakeDesktopWindow final : public DesktopWindow {
public:
    struct Move {
        Rect target;
        TimingCurve curve;
        Milliseconds duration;
        bool operator==(const Move&) const = default;
    };

    explicit FakeDesktopWindow(ManualMainQueue& queue) : queue_(queue) {}

    std::optional<Rect> frame() const override { return exists ? std::optional(currentFrame) : std::nullopt; }
    std::optional<ScreenFrames> screen() const override { return exists ? monitor : std::nullopt; }
    std::optional<Point> pointer() const override { return pointerAt; }

    void animateFrame(const Rect& target, const TimingCurve& curve, Milliseconds duration,
                      std::function<void()> done) override {
        if (!exists) return done();
        timer_.reset();
        if (auto interrupted = std::exchange(running_, nullptr)) interrupted();
        moves.push_back({target, curve, duration});
        running_ = std::move(done);
        timer_ = queue_.after(duration, [this, target] {
            if (!ignoresMoves) currentFrame = target;
            std::exchange(running_, nullptr)();
        });
    }
    void reserveEdge(DockSide side, double width) override {
        reservedEdge = side;
        reservedWidth = width;
    }
    sigc::signal<void()>& signalMovedByUser() override { return movedByUser_; }
    sigc::signal<void()>& signalScreenChanged() override { return screenChanged_; }

    void userMoves(const Rect& to) {
        currentFrame = to;
        movedByUser_.emit();
    }
    void changeMonitor(const ScreenFrames& to) {
        monitor = to;
        screenChanged_.emit();
    }
    const Move& lastMove() const { return moves.back(); }

    bool exists = true;
    // A desktop that leaves the window where it is, whatever we ask.
    bool ignoresMoves = false;
    Rect currentFrame = startFrame;
    std::optional<ScreenFrames> monitor = laptop;
    std::optional<Point> pointerAt = Point{700, 450};
    std::vector<Move> moves;
    DockSide reservedEdge = DockSide::none;
    double reservedWidth = 0;

private:
    ManualMainQueue& queue_;
    std::function<void()> running_;
    TimerHandle timer_;
    sigc::signal<void()> movedByUser_;
    sigc::signal<void()> screenChanged_;
};

}  // namespace corvina::testing
