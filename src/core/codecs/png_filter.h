#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lumadex {

// Row filter of the writer. None to Paeth are the format's filter types 0 to 4; PerLine picks
// one of them for every row.
enum class PngFilter { None, Sub, Up, Average, Paeth, PerLine };

namespace png {

// Reverses the filter of one row in place. prev is the previous unfiltered row of the same
// pass, all zero for its first row; distance is the filter's look-back in bytes. Raises
// EPngError for an unknown filter type.
void UnfilterRow(std::uint8_t filterType, std::uint8_t* row, const std::uint8_t* prev,
                 std::size_t length, int distance);

// Filters rows for writing, keeping the scratch space between rows.
class RowFilter {
public:
    RowFilter(PngFilter choice, std::size_t maxLength, int distance);

    // Returns the filter type byte followed by the filtered row; valid until the next call.
    std::span<const std::uint8_t> apply(const std::uint8_t* raw, const std::uint8_t* prev,
                                        std::size_t length);

private:
    PngFilter choice_;
    int distance_;
    std::vector<std::uint8_t> output_;
    std::vector<std::uint8_t> candidate_;
};

} // namespace png
} // namespace lumadex
