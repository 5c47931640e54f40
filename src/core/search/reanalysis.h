#pragma once

#include "catalogue/pdata.h"
#include "codecs/bitmap.h"

#include <QString>
#include <QStringView>
#include <cstdint>

namespace lumadex {

// The path a preview's hint names: the hint up to its first ":(" (the whole hint without one).
QString PathFromPreviewHint(QStringView hint);

// Message when signing the picture again fails.
inline constexpr char kReanalysisFailedText[] = "ReAnalyze failed.";

struct ReanalysisResult {
    QString failure;               // the message to log; empty when the record was signed again
    bool signatureChanged = false; // either word changed: the group and regions were dropped

    bool done() const { return failure.isEmpty(); }
};

// The message for a file too small to analyse again ("File is too small," + path), or empty.
// Checked before the picture is loaded.
QString ReanalysisSizeProblem(const QString& path, std::int64_t fileSize);

// Signs a catalogue record again from its picture and takes the file's current size and time
// (the caller has checked the size with ReanalysisSizeProblem before loading the picture).
// When either signature word changes, the record leaves its mismatch group and loses its
// regions, which belonged to the old picture. Nothing changes when the picture cannot be
// signed. A size beyond the 32-bit range is stored as the largest one.
ReanalysisResult ReanalyseRecord(Pdata& record, const Bitmap& picture, std::int64_t fileSize,
                                 std::int32_t fileTime);

} // namespace lumadex
