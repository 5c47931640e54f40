#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace lumadex::test {

// True in the runs of the label "extended": CTest sets LUMADEX_EXTENDED_RUN for them, and the
// sweeps over whole folders then read the large shared set instead of the curated copy.
inline bool ExtendedRun() { return std::getenv("LUMADEX_EXTENDED_RUN") != nullptr; }

// The large shared set: the folder named by $LUMADEX_TESTDATA when the tests run, else the one
// chosen at configure time (../shared/testdata beside the source tree).
inline QString ExtendedDataDir() {
    const char* chosen = std::getenv("LUMADEX_TESTDATA");
    return chosen && *chosen ? QString::fromLocal8Bit(chosen)
                             : QStringLiteral(LUMADEX_EXTENDED_TESTDATA_DIR);
}

// Folder of the test pictures: the curated copy in the source tree (tests/data), or the large
// shared set in an extended run. Both have the same layout.
inline QString TestDataDir() {
    return ExtendedRun() ? ExtendedDataDir() : QStringLiteral(LUMADEX_CURATED_TESTDATA_DIR);
}

inline QString TestDataPath(const QString& relative) { return TestDataDir() + "/" + relative; }

inline std::string MissingTestDataMessage(const QString& relative) {
    const std::string path = TestDataPath(relative).toStdString();
    if (ExtendedRun())
        return "large test set not found: " + path +
               " (set LUMADEX_TESTDATA to the folder of the shared test pictures)";
    return "test pictures not found: " + path + " (tests/data of the source tree)";
}

inline std::vector<std::uint8_t> ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

} // namespace lumadex::test

// Fails the current test when a folder of the test pictures is missing.
#define LUMADEX_REQUIRE_TESTDATA(subfolder)                                                        \
    ASSERT_TRUE(QDir(::lumadex::test::TestDataPath(subfolder)).exists())                           \
        << ::lumadex::test::MissingTestDataMessage(subfolder)
