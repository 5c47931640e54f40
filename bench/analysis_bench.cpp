// Analysis benchmark: the time to analyse the JPEG photographs of a folder (read, check,
// decode, sign, catalogue) divided by the time libjpeg alone needs to read and decode the
// same files at full size, both measured in this run. Prints the figures; asserts nothing.
#include <cstddef>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared first.
#include "catalogue/picture_catalogue.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <csetjmp>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct JumpingErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void JumpOnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JumpingErrorManager*>(info->err)->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

// Reads the file and decodes it with libjpeg's defaults into an RGB buffer.
bool DecodeWithLibjpeg(const QString& path, std::vector<unsigned char>& pixels) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();

    jpeg_decompress_struct info;
    JumpingErrorManager error;
    info.err = jpeg_std_error(&error.base);
    error.base.error_exit = JumpOnError;
    error.base.output_message = IgnoreMessage;
    jpeg_create_decompress(&info);
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    const std::size_t stride = std::size_t(info.output_width) * info.output_components;
    pixels.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double TimeLibjpeg(const QStringList& files) {
    // One output buffer serves every file, so the baseline touches no fresh memory either.
    std::vector<unsigned char> pixels;
    const auto start = Clock::now();
    for (const QString& path : files)
        DecodeWithLibjpeg(path, pixels);
    return SecondsSince(start);
}

double TimeAnalysis(const QStringList& files, int& added) {
    lumadex::PictureCatalogue pictures(lumadex::NativePictureLoader());
    lumadex::AnalysisObserver observer;
    const auto start = Clock::now();
    for (const QString& path : files)
        pictures.AnalyseFile(path, observer);
    const double seconds = SecondsSince(start);
    added = pictures.catalogue().count();
    return seconds;
}

} // namespace

int main(int argc, char* argv[]) {
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(LUMADEX_TESTDATA_DIR "/photos");
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    QDir dir(folder);
    QStringList files;
    for (const QString& name :
         dir.entryList({"*.jpg", "*.jpeg", "*.JPG", "*.JPEG"}, QDir::Files, QDir::Name))
        files << dir.filePath(name);
    if (files.isEmpty()) {
        std::fprintf(stderr, "no JPEG files in %s\n", qUtf8Printable(folder));
        return 1;
    }

    // Warm the page cache so both sides read from memory, then alternate the two sides and
    // keep each one's best round.
    TimeLibjpeg(files);
    double bestLibjpeg = 1e30;
    double bestAnalysis = 1e30;
    int added = 0;
    for (int round = 0; round < rounds; ++round) {
        bestLibjpeg = std::min(bestLibjpeg, TimeLibjpeg(files));
        bestAnalysis = std::min(bestAnalysis, TimeAnalysis(files, added));
    }

    std::printf("files: %lld JPEG (%d analysed and added)\n", static_cast<long long>(files.size()),
                added);
    std::printf("libjpeg read+decode: %.3f s (best of %d)\n", bestLibjpeg, rounds);
    std::printf("analysis:            %.3f s (best of %d)\n", bestAnalysis, rounds);
    std::printf("ratio analysis / libjpeg decode: %.3f (goal <= 1.10)\n",
                bestAnalysis / bestLibjpeg);
    return 0;
}
