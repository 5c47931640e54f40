#include "long_work/window_progress.h"

#include <QCoreApplication>

namespace lumadex {

void WindowProgress::Start() {
    stopAsked_ = false;
    sinceEvents_.invalidate();
}

void WindowProgress::LetEventsRun(const std::function<void()>& beforeEvents) {
    if (sinceEvents_.isValid() && sinceEvents_.elapsed() < interval_.count())
        return;
    if (beforeEvents)
        beforeEvents();
    QCoreApplication::processEvents();
    sinceEvents_.start();
}

bool WindowProgress::ShouldStop() {
    LetEventsRun();
    return stopAsked_;
}

} // namespace lumadex
