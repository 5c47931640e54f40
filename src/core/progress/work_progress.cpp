#include "progress/work_progress.h"

namespace lumadex {

WorkProgress::~WorkProgress() = default;

void WorkProgress::Advanced(int /*done*/, int /*total*/) {}

bool WorkProgress::ShouldStop() {
    return StopAsked();
}

bool WorkProgress::StopAsked() const {
    return false;
}

} // namespace lumadex
