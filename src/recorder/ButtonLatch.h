// Presses of the mouse buttons between two captures, so that a click shorter
// than a frame still shows in the recording: a low-level mouse hook notes
// every press. It runs on the thread that installs it, which must dispatch
// its messages.
#pragma once

class ButtonLatch {
  public:
    ~ButtonLatch() { Remove(); }
    bool Install();
    void Remove();
    // Whether the left (0) or right (1) button went down since the last call
    // (never without the hook).
    bool TakePress(int button);
};
