#include "catalogue/error_history.h"

#include <algorithm>

namespace lumadex {

void ErrorHistory::Add(const QString& text) {
    const QString entry =
        QStringLiteral("Error ") + QString::number(messageCount_ + 1) + QLatin1Char(':') + text;
    if (messageCount_ < kSize) {
        entries_[std::size_t(messageCount_)] = entry;
    } else {
        std::move(entries_.begin() + 1, entries_.end(), entries_.begin());
        entries_.back() = entry;
    }
    ++messageCount_;
}

QString ErrorHistory::HintText() const {
    QString hint = entries_.front();
    for (auto it = entries_.begin() + 1; it != entries_.end(); ++it) {
        if (!it->isEmpty())
            hint += QLatin1Char('\n') + *it;
    }
    return hint;
}

} // namespace lumadex
