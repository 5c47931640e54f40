#pragma once

namespace lumadex {

// How long work (analysis, folder scans, database reading, the full search) tells its caller
// how far it has come and learns whether to stop. The work calls it on its own thread. The
// observers of the long tasks derive from it and add what their windows show; the windows
// adapt it once (letting their events run, throttled, and holding the flag of their Stop
// button), and a caller without a window keeps the defaults: no progress, never a stop.
class WorkProgress {
public:
    virtual ~WorkProgress();

    // done of total steps of the work are finished.
    virtual void Advanced(int done, int total);
    // A point where the work can end cleanly: the caller's pending work may run here (a window
    // repaints and takes its Stop button), then the answer says whether the work is to stop.
    // Once it has said so, StopAsked says so too until the caller starts new work. By default
    // nothing runs and the answer is StopAsked's.
    virtual bool ShouldStop();
    // Whether the work is to stop, letting nothing run: for points where other work must not
    // come in between.
    virtual bool StopAsked() const;
};

} // namespace lumadex
