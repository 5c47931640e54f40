#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <vector>

namespace lumadex::test {

// Folder of the shared test pictures (see the README).
inline QString TestDataDir() { return QStringLiteral(LUMADEX_TESTDATA_DIR); }

inline QString TestDataPath(const QString& relative) { return TestDataDir() + "/" + relative; }

inline std::vector<std::uint8_t> ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

} // namespace lumadex::test

// Skips the current test when the shared test pictures' subfolder is missing.
#define LUMADEX_REQUIRE_TESTDATA(subfolder)                                                        \
    do {                                                                                           \
        if (!QDir(::lumadex::test::TestDataPath(subfolder)).exists())                              \
            GTEST_SKIP() << "test pictures not found: "                                            \
                         << ::lumadex::test::TestDataPath(subfolder).toStdString();                \
    } while (0)
