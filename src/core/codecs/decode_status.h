#pragma once

namespace lumadex {

// Pictures wider or higher than this are refused before their pixels are decoded.
constexpr int kMaxPictureDimension = 10000;

enum class DecodeStatus {
    Ok,
    Failed,        // not this format, malformed, truncated or unreadable
    BadDimensions, // width or height 0, or above the caller's limit; no pixels were decoded
};

} // namespace lumadex
