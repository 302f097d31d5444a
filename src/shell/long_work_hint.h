#pragma once
// The key hint of a long redraw: a drawing that polls keys for a while (a trajectory traced
// again at a repaint) shows "press Q" in its window's caption, as tracing does, and gives the
// caption back when it ends. Short redraws leave the caption alone.
#include <chrono>

#include "shell/file_msg_win.h"

namespace quorlin {

class TLongWorkHint {
public:
    // A redraw is long once it has polled keys for this long.
    static constexpr std::chrono::milliseconds kLongAfter{250};

    explicit TLongWorkHint(TFileMsgWin& window)
        : window_(window), started_(std::chrono::steady_clock::now()) {}
    ~TLongWorkHint() {
        if (shown_) window_.UpdateCaption();
    }
    TLongWorkHint(const TLongWorkHint&) = delete;
    TLongWorkHint& operator=(const TLongWorkHint&) = delete;

    // Called at each key poll of the drawing.
    void Polled() {
        if (shown_ || window_.IsKeyHintShown()) return;
        if (std::chrono::steady_clock::now() - started_ < kLongAfter) return;
        window_.ShowKeyHint(kKeyHintQuit);
        shown_ = true;
    }
    bool Shown() const { return shown_; }

private:
    TFileMsgWin& window_;
    std::chrono::steady_clock::time_point started_;
    bool shown_ = false;
};

}  // namespace quorlin
