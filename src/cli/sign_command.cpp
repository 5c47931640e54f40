#include "catalogue/pdata.h"
#include "catalogue/picture_loader.h"
#include "catalogue/picture_preparation.h"
#include "catalogue/signature.h"
#include "cli/commands.h"

#include <QStringList>
#include <cstdio>

namespace lumadex::cli {
namespace {

struct Region {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

bool ParseRegion(const QString& text, Region& region) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool isNumber = false;
        values[i] = parts[i].trimmed().toInt(&isNumber);
        if (!isNumber)
            return false;
    }
    region = {values[0], values[1], values[2], values[3]};
    return true;
}

// Analyses one file as the catalogue would and prints its signature line, or the message the
// analysis reports on standard error. Returns whether the file was signed.
bool SignFile(const QString& path, const PictureLoader& loader, const Region* region) {
    const PreparedPicture picture = PreparePicture(path, loader);
    if (!picture.ready()) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(picture.failure));
        return false;
    }
    Pdata record(path);
    const bool computed = region
                              ? ComputeSignature(picture.bitmap, record, true, region->Left,
                                                 region->Top, region->Right, region->Bottom) != -1
                              : ComputeSignature(picture.bitmap, record, false, 0, 0, 0, 0) != -1;
    if (!computed) {
        std::fputs("Analyze error\n", stderr);
        return false;
    }
    const std::uint32_t bits = region ? record.SubIndexAt(0).bits : record.signatureBits;
    const std::uint32_t levels = region ? record.SubIndexAt(0).levels : record.signatureLevels;
    std::printf("%08X %08X %s\n", unsigned(bits), unsigned(levels), qUtf8Printable(path));
    return true;
}

} // namespace

int RunSign(const QStringList& arguments) {
    Region region;
    bool hasRegion = false;
    QStringList files;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--region")) {
            if (i + 1 >= arguments.size() || !ParseRegion(arguments[i + 1], region))
                return UsageError(QStringLiteral("--region needs L,T,R,B"));
            hasRegion = true;
            ++i;
        } else if (argument.startsWith(QLatin1String("--"))) {
            return UsageError(QStringLiteral("unknown option '%1'").arg(argument));
        } else {
            files << argument;
        }
    }
    if (files.isEmpty())
        return UsageError(QStringLiteral("sign needs at least one file"));

    const PictureLoader loader = NativePictureLoader();
    bool allSigned = true;
    for (const QString& path : files)
        allSigned = SignFile(path, loader, hasRegion ? &region : nullptr) && allSigned;
    std::fflush(stdout);
    return allSigned ? kExitOk : kExitFailed;
}

} // namespace lumadex::cli
