#pragma once

#include <QString>
#include <array>

namespace lumadex {

// The last ten problems reported, numbered from 1 in the order they came; the numbers go on
// counting once older entries have been dropped.
class ErrorHistory {
public:
    static constexpr int kSize = 10;

    // Adds "Error " + number + ":" + text, dropping the oldest entry when all ten are taken.
    void Add(const QString& text);
    // How many messages have been added in all.
    int messageCount() const { return messageCount_; }
    const std::array<QString, kSize>& entries() const { return entries_; }
    // The entries as one text: the first, then each further non-empty one after a line feed.
    QString HintText() const;

private:
    std::array<QString, kSize> entries_;
    int messageCount_ = 0;
};

} // namespace lumadex
