#include "codecs/jpeg_codec.h"
#include "codecs/jpeg_error_manager.h"
#include "codecs/jpeg_pixel_rows.h"

#include <algorithm>
#include <cstring>
#include <jerror.h>
#include <limits>
#include <vector>

namespace lumadex {
namespace {

// Encoders write a handful of scans, a few dozen at most; thousands of tiny scans over a
// large picture are a way to make decoding take minutes.
constexpr int kMaxScans = 500;

// Progressive and multi-scan files keep every coefficient in memory: 2 bytes per sample, so at
// most 800 MB for a 10000 x 10000 CMYK picture. The cap only matters for callers that allow
// larger pictures.
constexpr long kLibjpegMemoryLimit = 1L << 30;

// Arithmetic coding adapts so well that a flat 10000 x 10000 picture fits in about 200 bytes,
// so no exact bound exists. Photographs and drawings need far more than a byte per 65536
// pixels; a claim beyond that is a hostile or broken header.
constexpr std::uint64_t kArithmeticPixelsPerByte = 65536;

enum class Output { Gray, Bgr, Cmyk };

class JpegDecompressor {
public:
    explicit JpegDecompressor(std::span<const std::uint8_t> file) : file_(file) {
        InstallErrorManager(*reinterpret_cast<j_common_ptr>(&cinfo_), errors_);
        progress_.progress_monitor = StopHopelessWork;
    }
    ~JpegDecompressor() { jpeg_destroy_decompress(&cinfo_); }
    JpegDecompressor(const JpegDecompressor&) = delete;
    JpegDecompressor& operator=(const JpegDecompressor&) = delete;

    // Decodes into out (left partly written on failure). Must be called once.
    DecodeStatus decode(Bitmap& out, int maxDimension);

private:
    static void StopHopelessWork(j_common_ptr cinfo);

    DecodeStatus statusAfterError(int maxDimension) const;
    bool fitsWithin(int maxDimension) const;
    bool hasPlausibleSize() const;
    bool chooseOutput();
    void allocate(Bitmap& out);
    bool readRows(Bitmap& out);
    bool readCmykRows(Bitmap& out);
    bool dataIsComplete() const;

    std::span<const std::uint8_t> file_;
    jpeg_decompress_struct cinfo_{};
    JpegErrorManager errors_{};
    jpeg_progress_mgr progress_{};
    Output output_ = Output::Bgr;
    bool firstScanHasAllComponents_ = false;
    std::vector<JSAMPROW> rowPointers_;
    std::vector<std::uint8_t> cmykRows_;
};

// libjpeg calls this between row groups and scans.
void JpegDecompressor::StopHopelessWork(j_common_ptr cinfo) {
    const auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
    const auto* errors = reinterpret_cast<const JpegErrorManager*>(cinfo->err);
    // A short arithmetic-coded file is refused anyway (see dataIsComplete).
    const bool cutArithmetic = errors->ranOutOfData && decompress->arith_code;
    if (decompress->input_scan_number > kMaxScans || cutArithmetic)
        AbandonJpegWork(cinfo);
}

// No C++ object may be created between setjmp and a jump back to it: everything the decoding
// needs lives in members or in out.
DecodeStatus JpegDecompressor::decode(Bitmap& out, int maxDimension) {
    if (setjmp(errors_.jump))
        return statusAfterError(maxDimension);
    jpeg_create_decompress(&cinfo_);
    cinfo_.mem->max_memory_to_use = kLibjpegMemoryLimit;
    cinfo_.progress = &progress_;
    jpeg_mem_src(&cinfo_, file_.data(), static_cast<unsigned long>(file_.size()));
    jpeg_read_header(&cinfo_, TRUE);
    if (!fitsWithin(maxDimension))
        return DecodeStatus::BadDimensions;
    if (!hasPlausibleSize() || !chooseOutput())
        return DecodeStatus::Failed;
    firstScanHasAllComponents_ = cinfo_.comps_in_scan == cinfo_.num_components;
    jpeg_start_decompress(&cinfo_);
    allocate(out);
    if (!readRows(out) || !dataIsComplete())
        return DecodeStatus::Failed;
    return DecodeStatus::Ok;
}

// libjpeg itself refuses a frame header with a zero or an over-large width or height.
DecodeStatus JpegDecompressor::statusAfterError(int maxDimension) const {
    const int code = errors_.base.msg_code;
    if ((code == JERR_EMPTY_IMAGE || code == JERR_IMAGE_TOO_BIG) && !fitsWithin(maxDimension))
        return DecodeStatus::BadDimensions;
    return DecodeStatus::Failed;
}

bool JpegDecompressor::fitsWithin(int maxDimension) const {
    const auto width = std::int64_t(cinfo_.image_width);
    const auto height = std::int64_t(cinfo_.image_height);
    return width > 0 && height > 0 && width <= maxDimension && height <= maxDimension;
}

// Huffman coding spends at least one bit on the DC coefficient of every block of a scan, so
// even a scan of the component with the fewest blocks needs that many bits. Refusing larger
// claims before allocating keeps a tiny file from costing hundreds of megabytes.
bool JpegDecompressor::hasPlausibleSize() const {
    const std::uint64_t fileBytes = file_.size();
    if (cinfo_.arith_code) {
        const std::uint64_t pixels = std::uint64_t(cinfo_.image_width) * cinfo_.image_height;
        return pixels <= fileBytes * kArithmeticPixelsPerByte;
    }
    std::uint64_t fewestBlocks = std::numeric_limits<std::uint64_t>::max();
    for (int i = 0; i < cinfo_.num_components; ++i) {
        const jpeg_component_info& component = cinfo_.comp_info[i];
        fewestBlocks = std::min(fewestBlocks, std::uint64_t(component.width_in_blocks) *
                                                  component.height_in_blocks);
    }
    return fewestBlocks <= fileBytes * 8;
}

bool JpegDecompressor::chooseOutput() {
    switch (cinfo_.jpeg_color_space) {
    case JCS_GRAYSCALE:
        output_ = Output::Gray;
        cinfo_.out_color_space = JCS_GRAYSCALE;
        return true;
    case JCS_YCbCr:
    case JCS_RGB:
        output_ = Output::Bgr;
        cinfo_.out_color_space = JCS_EXT_BGR;
        return true;
    case JCS_CMYK:
    case JCS_YCCK:
        output_ = Output::Cmyk;
        cinfo_.out_color_space = JCS_CMYK;
        return true;
    default:
        return false;
    }
}

void JpegDecompressor::allocate(Bitmap& out) {
    const int width = int(cinfo_.output_width);
    const int height = int(cinfo_.output_height);
    out.Reset(width, height, output_ == Output::Gray ? 8 : 24);
    if (output_ == Output::Gray) {
        std::vector<Colour> grey(256);
        for (int i = 0; i < 256; ++i)
            grey[std::size_t(i)] = MakeColour(std::uint8_t(i), std::uint8_t(i), std::uint8_t(i));
        out.setPalette(std::move(grey));
    }
    // libjpeg fills the pixels; the row padding is ours to clear.
    const std::size_t used = std::size_t(width) * (output_ == Output::Gray ? 1 : 3);
    for (int y = 0; y < height; ++y)
        std::memset(out.row(y) + used, 0, out.stride() - used);
    if (output_ == Output::Cmyk) {
        const auto rows = std::size_t(cinfo_.rec_outbuf_height);
        cmykRows_.resize(rows * std::size_t(width) * 4);
        for (std::size_t i = 0; i < rows; ++i)
            rowPointers_.push_back(cmykRows_.data() + i * std::size_t(width) * 4);
    } else {
        rowPointers_.resize(std::size_t(height));
        for (int y = 0; y < height; ++y)
            rowPointers_[std::size_t(y)] = out.row(y);
    }
}

// Gray and colour pictures are decoded straight into the bitmap's rows.
bool JpegDecompressor::readRows(Bitmap& out) {
    if (output_ == Output::Cmyk)
        return readCmykRows(out);
    while (cinfo_.output_scanline < cinfo_.output_height) {
        const JDIMENSION done = cinfo_.output_scanline;
        if (jpeg_read_scanlines(&cinfo_, rowPointers_.data() + done, cinfo_.output_height - done) ==
            0)
            return false;
    }
    return true;
}

bool JpegDecompressor::readCmykRows(Bitmap& out) {
    const bool inverted = cinfo_.saw_Adobe_marker;
    while (cinfo_.output_scanline < cinfo_.output_height) {
        const int y = int(cinfo_.output_scanline);
        const JDIMENSION rows =
            jpeg_read_scanlines(&cinfo_, rowPointers_.data(), JDIMENSION(rowPointers_.size()));
        if (rows == 0)
            return false;
        for (JDIMENSION i = 0; i < rows; ++i)
            CmykRowToBgr(rowPointers_[i], out.width(), inverted, out.row(y + int(i)));
    }
    return true;
}

// Reached when the data ended without an end marker: either only the marker is missing (keep
// the picture) or the file was cut short (refuse it).
bool JpegDecompressor::dataIsComplete() const {
    if (!errors_.ranOutOfData)
        return true;
    // Arithmetic decoders pad a short scan with zeros without a word.
    if (cinfo_.arith_code)
        return false;
    // A cut inside a Huffman scan already failed; a cut between scans leaves coefficients
    // short of their last refinement.
    if (cinfo_.progressive_mode) {
        for (int i = 0; i < cinfo_.num_components; ++i)
            for (int k = 0; k < DCTSIZE2; ++k)
                if (cinfo_.coef_bits[i][k] != 0)
                    return false;
        return true;
    }
    return firstScanHasAllComponents_;
}

} // namespace

DecodeStatus ReadJpeg(std::span<const std::uint8_t> file, Bitmap& out, int maxDimension) {
    out.Clear();
    if (file.empty() || file.size() > std::numeric_limits<unsigned long>::max())
        return DecodeStatus::Failed;
    DecodeStatus status = DecodeStatus::Failed;
    try {
        JpegDecompressor decompressor(file);
        status = decompressor.decode(out, maxDimension);
    } catch (...) { // out of memory for the bitmap
        status = DecodeStatus::Failed;
    }
    if (status != DecodeStatus::Ok)
        out.Clear();
    return status;
}

} // namespace lumadex
