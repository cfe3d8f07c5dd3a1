// --fps: the frame rate drawn over the picture, as xscreensaver's hacks show
// theirs: "FPS: " and the frames per second over the last second with one
// decimal, updated once a second, white on a black box in the lower-left
// corner. SwapBuffers draws it after the picture, so the program's own
// drawing knows nothing of it; unless it is shown, no frame changes.
#pragma once

#include <string>

namespace standin {

// From now on every SwapBuffers draws the frame rate first.
void ShowFrameRate();
// Draws it into the current context's back buffer; does nothing unless shown.
void DrawFrameRate();

// Counts frames and says the rate over the last whole second.
class FrameRateMeter {
public:
    // One frame shown at `seconds` on a monotonic clock.
    void Frame(double seconds);
    const std::string& Text() const { return text_; }

private:
    double start_ = -1;  // seconds: when the current count began
    int frames_ = 0;     // frames since then
    std::string text_ = "FPS: -";
};

}  // namespace standin
