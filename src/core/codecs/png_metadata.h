#pragma once

#include "codecs/bitmap.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumadex {

// A tIME stamp (universal time).
struct PngTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    static PngTime Now();
    // Whether the stamp may be written: year above 0, month 1..12, day 1..31, hour below 24,
    // minute below 60.
    bool isValid() const;
    bool operator==(const PngTime&) const = default;
};

// A tEXt entry: keyword and text as Latin-1 bytes.
struct PngText {
    std::string keyword;
    std::string text;
    bool operator==(const PngText&) const = default;
};

// The ancillary information of a picture: read from a file, or written with it.
struct PngMetadata {
    // Gamma of the pixel values; 0 when a file gave none. Written when gamma x 100000 >= 1.
    double gamma = 0.45455;
    std::optional<Colour> backgroundColour;
    PngTime time = PngTime::Now();
    // Read only: tEXt entries, and the sBIT bytes in the file's channel order.
    std::vector<PngText> texts;
    std::vector<std::uint8_t> significantBits;
};

} // namespace lumadex
