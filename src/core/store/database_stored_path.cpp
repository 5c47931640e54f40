#include "store/database_stored_path.h"

#include <QByteArray>
#include <algorithm>

namespace lumadex {
namespace {

constexpr char16_t kSeparator = u'/';
constexpr std::uint8_t kSeparatorByte = '/';

// prefix followed by the UTF-8 bytes, in a string allocated once at its exact size. Paths are
// mostly ASCII, which is widened directly; anything else goes through the UTF-8 decoder.
QString JoinDecoded(QStringView prefix, std::span<const std::uint8_t> bytes) {
    QString text(prefix.size() + qsizetype(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    std::copy(prefix.begin(), prefix.end(), out);
    out += prefix.size();
    for (const std::uint8_t byte : bytes) {
        if (byte >= 0x80) {
            const QString decoded = QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()),
                                                      qsizetype(bytes.size()));
            QString joined(prefix.size() + decoded.size(), Qt::Uninitialized);
            std::copy(prefix.begin(), prefix.end(), joined.begin());
            std::copy(decoded.begin(), decoded.end(), joined.begin() + prefix.size());
            return joined;
        }
        *out++ = QChar(char16_t(byte));
    }
    return text;
}

} // namespace

qsizetype FolderPartLength(QStringView path) {
    return path.lastIndexOf(kSeparator) + 1;
}

std::size_t EncodeUtf8(QStringView text, std::uint8_t* out) {
    std::uint8_t* ascii = out;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            const QByteArray utf8 = text.toUtf8();
            std::copy(utf8.begin(), utf8.end(), out);
            return std::size_t(utf8.size());
        }
        *ascii++ = std::uint8_t(c.unicode());
    }
    return std::size_t(text.size());
}

QStringView PathShortener::Shorten(QStringView path) const {
    const qsizetype folderLength = FolderPartLength(path);
    if (path.first(folderLength) == QStringView(keptFolder_))
        return path.sliced(folderLength);
    return path;
}

void PathShortener::Stored(QStringView path, QStringView storedText) {
    if (storedText.size() == path.size())
        keptFolder_ = path.first(FolderPartLength(path)).toString();
}

std::optional<QString> PathExpander::Expand(std::span<const std::uint8_t> storedText) {
    const auto separator = std::find(storedText.rbegin(), storedText.rend(), kSeparatorByte).base();
    if (separator == storedText.begin()) {
        if (keptFolder_.isEmpty())
            return std::nullopt;
        return JoinDecoded(keptFolder_, storedText);
    }
    const auto folder = storedText.first(std::size_t(separator - storedText.begin()));
    if (!std::equal(folder.begin(), folder.end(), keptFolderBytes_.begin(),
                    keptFolderBytes_.end())) {
        keptFolderBytes_.assign(folder.begin(), folder.end());
        keptFolder_ = JoinDecoded({}, folder);
        ++generation_;
    }
    return JoinDecoded({}, storedText);
}

} // namespace lumadex
