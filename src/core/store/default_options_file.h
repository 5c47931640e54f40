#pragma once

#include <QString>

namespace lumadex {

class OptionModel;

// The option-defaults file in the program folder holds a database header and nothing else.
inline constexpr char kDefaultOptionsFileName[] = "default.lx2";
// Its older name, read when the current one is missing.
inline constexpr char kOlderDefaultOptionsFileName[] = "default.lxb";

// Logged when the defaults file cannot be written.
inline constexpr char kCantOpenDefaultOptionsMessage[] = "Can't open default.lx2";
// Status text after defaults of an old format version were applied.
inline constexpr char kReadOldDefaultsText[] =
    "Read OLD 'default.lx?'. Some options may be not set.";

// Whether the current defaults file exists (the Load Default button is enabled by it).
bool HasDefaultOptionsFile(const QString& programFolder);

// Set Default: writes the options as a header alone, replacing the file only once the new one
// is complete. Returns false when the file cannot be written.
bool SaveDefaultOptions(const QString& programFolder, const OptionModel& options);

enum class DefaultOptionsSource {
    None,        // neither file exists; nothing was applied
    CurrentName, // "default.lx2"
    OlderName,   // "default.lxb"
};

struct LoadDefaultOptionsResult {
    DefaultOptionsSource source = DefaultOptionsSource::None;
    bool applied = false;   // the file held a whole header and its options were set
    bool oldFormat = false; // that header was of an old format version

    // The status text to show afterwards; empty when there is none.
    QString statusText() const { return oldFormat ? QString(kReadOldDefaultsText) : QString(); }
};

// Load Default: applies "default.lx2", or else "default.lxb", to the options.
LoadDefaultOptionsResult LoadDefaultOptions(const QString& programFolder, OptionModel& options);

} // namespace lumadex
