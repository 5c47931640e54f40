#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

namespace lumadex {

// libjpeg error handling without printing or exiting. Errors, and the warnings that mean pixel
// data was lost or corrupted, jump back to `jump`, which the caller sets with setjmp before any
// libjpeg call. The caller must then only destroy the libjpeg object.
struct JpegErrorManager {
    jpeg_error_mgr base; // first member: libjpeg hands back a pointer to it
    std::jmp_buf jump;
    // The source ran dry and libjpeg was fed a made-up end marker; whether data is missing
    // depends on how far decoding got.
    bool ranOutOfData = false;
};

// Makes manager cinfo's error handler. Call before jpeg_create_compress/decompress.
void InstallErrorManager(jpeg_common_struct& cinfo, JpegErrorManager& manager);

// Leaves the current libjpeg call through the installed manager's jump buffer.
[[noreturn]] void AbandonJpegWork(j_common_ptr cinfo);

} // namespace lumadex
