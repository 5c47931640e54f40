#include "catalogue/picture_loader.h"
#include "cli/commands.h"
#include "codecs/jpeg_codec.h"
#include "codecs/png_codec.h"

#include <QSaveFile>
#include <cstdio>
#include <string>
#include <vector>

namespace lumadex::cli {
namespace {

struct ConvertRequest {
    bool png = false;
    int pngLevel = kPngLevelStandard;
    int jpegQuality = 0;
    bool gray = false;
    QString input;
    QString output;
};

bool ParsePngLevel(const QString& name, int& level) {
    const QString upper = name.toUpper();
    if (upper == QLatin1String("NONE"))
        level = kPngLevelNone;
    else if (upper == QLatin1String("STANDARD"))
        level = kPngLevelStandard;
    else if (upper == QLatin1String("SPEED"))
        level = kPngLevelSpeed;
    else if (upper == QLatin1String("MINIMUM"))
        level = kPngLevelMinimum;
    else
        return false;
    return true;
}

// Fills request from the arguments; returns an empty string or the usage problem.
QString ParseConvertArguments(const QStringList& arguments, ConvertRequest& request) {
    bool formatChosen = false;
    QStringList files;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--png") || argument == QLatin1String("--jpeg")) {
            if (formatChosen)
                return QStringLiteral("choose one of --png and --jpeg");
            if (i + 1 >= arguments.size())
                return QStringLiteral("%1 needs a value").arg(argument);
            formatChosen = true;
            const QString value = arguments[++i];
            if (argument == QLatin1String("--png")) {
                request.png = true;
                if (!ParsePngLevel(value, request.pngLevel))
                    return QStringLiteral("unknown PNG compression '%1'").arg(value);
            } else {
                bool isNumber = false;
                request.jpegQuality = value.toInt(&isNumber);
                if (!isNumber || request.jpegQuality < 25 || request.jpegQuality > 100)
                    return QStringLiteral("JPEG quality must be 25 to 100, not '%1'").arg(value);
            }
        } else if (argument == QLatin1String("--gray")) {
            request.gray = true;
        } else if (argument.startsWith(QLatin1String("--"))) {
            return QStringLiteral("unknown option '%1'").arg(argument);
        } else {
            files << argument;
        }
    }
    if (!formatChosen)
        return QStringLiteral("convert needs --png or --jpeg");
    if (request.gray && request.png)
        return QStringLiteral("--gray applies to --jpeg only");
    if (files.size() != 2)
        return QStringLiteral("convert needs an input and an output file");
    request.input = files[0];
    request.output = files[1];
    return {};
}

// Writes bytes to path through a temporary file, so a failed write leaves any old file intact.
bool WriteFileSafely(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto size = qint64(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

int RunConvert(const QStringList& arguments) {
    ConvertRequest request;
    const QString problem = ParseConvertArguments(arguments, request);
    if (!problem.isEmpty())
        return UsageError(problem);

    Bitmap bitmap;
    if (NativePictureLoader().LoadPicture(request.input, bitmap) != DecodeStatus::Ok) {
        std::fprintf(stderr, "Read failed,%s\n", qUtf8Printable(request.input));
        return kExitFailed;
    }

    std::vector<std::uint8_t> encoded;
    std::string error;
    const bool encodedOk = request.png
                               ? WritePng(bitmap, request.pngLevel, encoded, &error)
                               : WriteJpeg(bitmap, request.jpegQuality, request.gray, encoded);
    if (!encodedOk) {
        std::fprintf(stderr, "Cannot encode %s%s%s\n", qUtf8Printable(request.output),
                     error.empty() ? "" : ": ", error.c_str());
        return kExitFailed;
    }
    if (!WriteFileSafely(request.output, encoded)) {
        std::fprintf(stderr, "Cannot write %s\n", qUtf8Printable(request.output));
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace lumadex::cli
