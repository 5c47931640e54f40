#pragma once

#include "progress/work_progress.h"

#include <QElapsedTimer>
#include <chrono>
#include <functional>

namespace lumadex {

// Pending window events run at most this often during long work: often enough for the
// windows to repaint and take the stop button, rarely enough not to slow the work down.
inline constexpr std::chrono::milliseconds kWindowEventInterval{40};

// The windows' side of long work: its safe points let pending window events run, at most once
// per interval, and answer the stop flag that a Stop or Abort button sets. The flag stays as
// the work left it until the next Start.
class WindowProgress : public WorkProgress {
public:
    explicit WindowProgress(std::chrono::milliseconds interval = kWindowEventInterval)
        : interval_(interval) {}

    // New work begins: the stop flag is cleared and its first safe point lets events run.
    void Start();
    // The Stop or Abort button: the work stops at its next safe point.
    void Stop() { stopAsked_ = true; }

    // Lets pending events run if the interval has passed since they last ran, calling
    // beforeEvents just before (to show what the work has gathered meanwhile).
    void LetEventsRun(const std::function<void()>& beforeEvents = {});
    // LetEventsRun, then the stop flag.
    bool ShouldStop() override;
    bool StopAsked() const override { return stopAsked_; }

private:
    QElapsedTimer sinceEvents_;
    std::chrono::milliseconds interval_;
    bool stopAsked_ = false;
};

} // namespace lumadex
