#include "catalogue/picture_loader.h"

#include "catalogue/extensions.h"

#include <QFile>
#include <QFileInfo>
#include <exception>

namespace lumadex {

void PictureLoader::AddFirst(PictureDecoder decoder) {
    decoders_.insert(decoders_.begin(), std::move(decoder));
}

void PictureLoader::AddLast(PictureDecoder decoder) {
    decoders_.push_back(std::move(decoder));
}

DecodeStatus PictureLoader::LoadPicture(const QString& path, Bitmap& out, int maxDimension) const {
    out.Clear();
    const QFileInfo info(path);
    // Only regular files: a folder cannot be read and a pipe could block forever.
    if (!info.isFile() || info.size() > kMaxPictureFileBytes)
        return DecodeStatus::Failed;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return DecodeStatus::Failed;
    try {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return DecodeStatus::Failed;
        const QString extension = ExtensionOf(path).toUpper();
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
        return Decode({path, extension, {data, std::size_t(bytes.size())}}, out, maxDimension);
    } catch (const std::exception&) {
        return DecodeStatus::Failed;
    }
}

DecodeStatus PictureLoader::Decode(const PictureFile& file, Bitmap& out, int maxDimension) const {
    out.Clear();
    DecodeStatus status = DecodeStatus::Failed;
    try {
        for (const PictureDecoder& decoder : decoders_) {
            if (const std::optional<DecodeStatus> outcome = decoder(file, out, maxDimension)) {
                status = *outcome;
                break;
            }
        }
    } catch (...) {
        // A decoder's error is a failed decode, whatever it throws.
        status = DecodeStatus::Failed;
    }
    if (status == DecodeStatus::Ok &&
        (out.isEmpty() || out.width() > maxDimension || out.height() > maxDimension))
        status = DecodeStatus::BadDimensions;
    if (status != DecodeStatus::Ok)
        out.Clear();
    return status;
}

PictureDecoder DecoderForExtension(QString extension, FormatReader read) {
    return
        [extension = std::move(extension), read](const PictureFile& file, Bitmap& out,
                                                 int maxDimension) -> std::optional<DecodeStatus> {
            if (file.upperExtension != extension)
                return std::nullopt;
            return read(file.bytes, out, maxDimension);
        };
}

PictureDecoder DecoderForAnyFile(FormatReader read) {
    return [read](const PictureFile& file, Bitmap& out, int maxDimension) {
        return std::optional<DecodeStatus>(read(file.bytes, out, maxDimension));
    };
}

} // namespace lumadex
