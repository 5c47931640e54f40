#include "codecs/png_filter.h"

#include "codecs/png_error.h"

#include <cstdlib>
#include <cstring>

namespace lumadex::png {
namespace {

inline std::uint8_t PaethPredictor(int a, int b, int c) {
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    if (pa <= pb && pa <= pc)
        return std::uint8_t(a);
    return std::uint8_t(pb <= pc ? b : c);
}

// Writes the filtered form of raw into out (length bytes, without the type byte).
void FilterInto(PngFilter filter, const std::uint8_t* raw, const std::uint8_t* prev,
                std::uint8_t* out, std::size_t length, std::size_t distance) {
    const std::size_t head = distance < length ? distance : length;
    switch (filter) {
    case PngFilter::Sub:
        std::memcpy(out, raw, head);
        for (std::size_t i = head; i < length; ++i)
            out[i] = std::uint8_t(raw[i] - raw[i - distance]);
        break;
    case PngFilter::Up:
        for (std::size_t i = 0; i < length; ++i)
            out[i] = std::uint8_t(raw[i] - prev[i]);
        break;
    case PngFilter::Average:
        for (std::size_t i = 0; i < head; ++i)
            out[i] = std::uint8_t(raw[i] - (prev[i] >> 1));
        for (std::size_t i = head; i < length; ++i)
            out[i] = std::uint8_t(raw[i] - ((raw[i - distance] + prev[i]) >> 1));
        break;
    case PngFilter::Paeth:
        for (std::size_t i = 0; i < head; ++i)
            out[i] = std::uint8_t(raw[i] - prev[i]);
        for (std::size_t i = head; i < length; ++i)
            out[i] = std::uint8_t(raw[i] -
                                  PaethPredictor(raw[i - distance], prev[i], prev[i - distance]));
        break;
    default:
        std::memcpy(out, raw, length);
        break;
    }
}

// Sum of the bytes taken as signed values' magnitudes: small sums deflate well.
std::uint64_t Cost(const std::uint8_t* data, std::size_t length) {
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < length; ++i)
        sum += std::uint64_t(std::abs(int(std::int8_t(data[i]))));
    return sum;
}

} // namespace

void UnfilterRow(std::uint8_t filterType, std::uint8_t* __restrict row,
                 const std::uint8_t* __restrict prev, std::size_t length, int distance) {
    const std::size_t d = std::size_t(distance);
    const std::size_t head = d < length ? d : length;
    switch (filterType) {
    case 0:
        break;
    case 1:
        for (std::size_t i = head; i < length; ++i)
            row[i] = std::uint8_t(row[i] + row[i - d]);
        break;
    case 2:
        for (std::size_t i = 0; i < length; ++i)
            row[i] = std::uint8_t(row[i] + prev[i]);
        break;
    case 3:
        for (std::size_t i = 0; i < head; ++i)
            row[i] = std::uint8_t(row[i] + (prev[i] >> 1));
        for (std::size_t i = head; i < length; ++i)
            row[i] = std::uint8_t(row[i] + ((row[i - d] + prev[i]) >> 1));
        break;
    case 4:
        for (std::size_t i = 0; i < head; ++i)
            row[i] = std::uint8_t(row[i] + prev[i]);
        for (std::size_t i = head; i < length; ++i)
            row[i] = std::uint8_t(row[i] + PaethPredictor(row[i - d], prev[i], prev[i - d]));
        break;
    default:
        throw EPngError(png_message::kReadError);
    }
}

RowFilter::RowFilter(PngFilter choice, std::size_t maxLength, int distance)
    : choice_(choice), distance_(distance), output_(maxLength + 1),
      candidate_(choice == PngFilter::PerLine ? maxLength + 1 : 0) {}

std::span<const std::uint8_t> RowFilter::apply(const std::uint8_t* raw, const std::uint8_t* prev,
                                               std::size_t length) {
    const std::size_t d = std::size_t(distance_);
    if (choice_ != PngFilter::PerLine) {
        output_[0] = std::uint8_t(choice_);
        FilterInto(choice_, raw, prev, output_.data() + 1, length, d);
        return {output_.data(), length + 1};
    }
    std::uint64_t bestCost = UINT64_MAX;
    for (PngFilter filter :
         {PngFilter::None, PngFilter::Sub, PngFilter::Up, PngFilter::Average, PngFilter::Paeth}) {
        candidate_[0] = std::uint8_t(filter);
        FilterInto(filter, raw, prev, candidate_.data() + 1, length, d);
        const std::uint64_t cost = Cost(candidate_.data() + 1, length);
        if (cost < bestCost) {
            bestCost = cost;
            output_.swap(candidate_);
        }
    }
    return {output_.data(), length + 1};
}

} // namespace lumadex::png
