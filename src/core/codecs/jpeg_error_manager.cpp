#include "codecs/jpeg_error_manager.h"

#include <jerror.h>

namespace lumadex {
namespace {

JpegErrorManager& ManagerOf(j_common_ptr cinfo) {
    return *reinterpret_cast<JpegErrorManager*>(cinfo->err);
}

// Corrupt-data warnings after which libjpeg carries on with zeros or guesses in place of the
// picture's data.
bool MeansLostData(int messageCode) {
    switch (messageCode) {
    case JWRN_HIT_MARKER:        // entropy data ends before the scan does
    case JWRN_MUST_RESYNC:       // a restart marker is missing: data was skipped
    case JWRN_HUFF_BAD_CODE:     // the rest of the segment is undecodable
    case JWRN_ARITH_BAD_CODE:    // likewise for arithmetic coding
    case JWRN_BOGUS_PROGRESSION: // a progressive scan refines data that never came
        return true;
    default:
        return false;
    }
}

void EmitMessage(j_common_ptr cinfo, int messageLevel) {
    if (messageLevel >= 0)
        return; // trace messages
    const int code = cinfo->err->msg_code;
    if (code == JWRN_JPEG_EOF)
        ManagerOf(cinfo).ranOutOfData = true;
    else if (MeansLostData(code))
        AbandonJpegWork(cinfo);
}

void OutputNothing(j_common_ptr) {}

} // namespace

void InstallErrorManager(jpeg_common_struct& cinfo, JpegErrorManager& manager) {
    cinfo.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = AbandonJpegWork;
    manager.base.emit_message = EmitMessage;
    manager.base.output_message = OutputNothing;
    manager.ranOutOfData = false;
}

void AbandonJpegWork(j_common_ptr cinfo) {
    std::longjmp(ManagerOf(cinfo).jump, 1);
}

} // namespace lumadex
