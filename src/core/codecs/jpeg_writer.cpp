#include "codecs/jpeg_codec.h"
#include "codecs/jpeg_error_manager.h"
#include "codecs/jpeg_pixel_rows.h"

#include <algorithm>
#include <cstdint>
#include <jerror.h>
#include <vector>

namespace lumadex {
namespace {

constexpr int kMinQuality = 25;
constexpr int kMaxQuality = 100;
constexpr std::size_t kInitialOutputBytes = 64 * 1024;

// Destination that grows a vector. Growth failures become libjpeg errors, so no exception
// crosses libjpeg's frames.
struct VectorDestination {
    jpeg_destination_mgr base; // first member: libjpeg hands back a pointer to it
    std::vector<std::uint8_t> bytes;

    static VectorDestination& Of(j_compress_ptr cinfo) {
        return *reinterpret_cast<VectorDestination*>(cinfo->dest);
    }
    bool resize(std::size_t size) noexcept {
        try {
            bytes.resize(size);
            return true;
        } catch (...) {
            return false;
        }
    }
    static void Start(j_compress_ptr cinfo) {
        VectorDestination& self = Of(cinfo);
        if (!self.resize(kInitialOutputBytes))
            ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
        self.base.next_output_byte = self.bytes.data();
        self.base.free_in_buffer = self.bytes.size();
    }
    // Called when the whole buffer is full.
    static boolean Grow(j_compress_ptr cinfo) {
        VectorDestination& self = Of(cinfo);
        const std::size_t used = self.bytes.size();
        if (!self.resize(used * 2))
            ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
        self.base.next_output_byte = self.bytes.data() + used;
        self.base.free_in_buffer = self.bytes.size() - used;
        return TRUE;
    }
    static void Finish(j_compress_ptr cinfo) {
        VectorDestination& self = Of(cinfo);
        self.bytes.resize(self.bytes.size() - self.base.free_in_buffer);
    }
};

class JpegCompressor {
public:
    JpegCompressor() {
        InstallErrorManager(*reinterpret_cast<j_common_ptr>(&cinfo_), errors_);
        destination_.base.init_destination = VectorDestination::Start;
        destination_.base.empty_output_buffer = VectorDestination::Grow;
        destination_.base.term_destination = VectorDestination::Finish;
    }
    ~JpegCompressor() { jpeg_destroy_compress(&cinfo_); }
    JpegCompressor(const JpegCompressor&) = delete;
    JpegCompressor& operator=(const JpegCompressor&) = delete;

    // Encodes bitmap; the file is then in bytes(). Must be called once.
    bool encode(const Bitmap& bitmap, int quality, bool grayscale);
    std::vector<std::uint8_t>& bytes() { return destination_.bytes; }

private:
    void writeRows(const Bitmap& bitmap);

    jpeg_compress_struct cinfo_{};
    JpegErrorManager errors_{};
    VectorDestination destination_{};
    std::vector<std::uint8_t> rowBuffer_;
};

// No C++ object may be created between setjmp and a jump back to it: everything the encoding
// needs lives in members.
bool JpegCompressor::encode(const Bitmap& bitmap, int quality, bool grayscale) {
    if (setjmp(errors_.jump))
        return false;
    jpeg_create_compress(&cinfo_);
    cinfo_.dest = &destination_.base;
    cinfo_.image_width = JDIMENSION(bitmap.width());
    cinfo_.image_height = JDIMENSION(bitmap.height());
    // 24- and 32-bit rows go to libjpeg as they are; other depths through a BGR row.
    cinfo_.input_components = bitmap.bitsPerPixel() == 32 ? 4 : 3;
    cinfo_.in_color_space = bitmap.bitsPerPixel() == 32 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo_);
    jpeg_set_quality(&cinfo_, std::clamp(quality, kMinQuality, kMaxQuality), TRUE);
    if (grayscale)
        jpeg_set_colorspace(&cinfo_, JCS_GRAYSCALE);
    jpeg_start_compress(&cinfo_, TRUE);
    writeRows(bitmap);
    jpeg_finish_compress(&cinfo_);
    return true;
}

void JpegCompressor::writeRows(const Bitmap& bitmap) {
    const bool direct = bitmap.bitsPerPixel() == 24 || bitmap.bitsPerPixel() == 32;
    if (!direct)
        rowBuffer_.resize(std::size_t(bitmap.width()) * 3);
    for (int y = 0; y < bitmap.height(); ++y) {
        JSAMPROW row = rowBuffer_.data();
        if (direct)
            row = const_cast<JSAMPROW>(bitmap.row(y)); // libjpeg only reads input rows
        else
            BitmapRowToBgr(bitmap, y, row);
        jpeg_write_scanlines(&cinfo_, &row, 1);
    }
}

} // namespace

bool WriteJpeg(const Bitmap& bitmap, int quality, bool grayscale, std::vector<std::uint8_t>& out) {
    out.clear();
    if (bitmap.isEmpty() || !Bitmap::IsSupportedDepth(bitmap.bitsPerPixel()))
        return false;
    try {
        JpegCompressor compressor;
        if (!compressor.encode(bitmap, quality, grayscale))
            return false;
        out = std::move(compressor.bytes());
        return true;
    } catch (...) { // out of memory for the row buffer
        return false;
    }
}

} // namespace lumadex
