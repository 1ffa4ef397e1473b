#pragma once
// Smooth scrolling while an arrow key is held, vertical or horizontal: each
// step (about 15 ms) adds the time since the previous step × the rate (units
// per second, asked each step so Ctrl and Shift can change it) to the
// distance travelled since the start, signed by the direction, and hands
// the total to the owner. It ends on the release of any key but Ctrl or
// Shift; the platform's auto-repeat releases and presses of the held key are
// used up, so the program's key table does not start the loop again with
// every repeat. Other input (mouse, wheel, key presses) is passed on or
// dropped as the owner asks. User-interface thread only; each step costs
// what the owner's hooks cost. Without a viewport nothing starts.

#include "CCaptureLoop.h"

class LUMETRAIMAGE_API CSmoothScroller : public CCaptureLoop
{
public:
    using Rate = std::function<double()>;
    using Advance = std::function<void(double travelled)>;
    enum class OtherInput { PassOn, Drop };

    // direction 1 moves forward (down / right), anything else back.
    void Start(QWidget* viewport, int direction, OtherInput otherInput, Rate rate, Advance advance);

    bool OnMouseEvent(const QMouseEvent& event) override;
    bool OnKeyEvent(const QKeyEvent& event) override;
    bool OnWheel() override;

protected:
    void Step(double seconds) override;

private:
    double sign_ = 1;
    OtherInput otherInput_ = OtherInput::PassOn;
    Rate rate_;
    Advance advance_;
    double travelled_ = 0;
};
