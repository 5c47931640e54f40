#pragma once

#include <QString>
#include <QStringView>

namespace lumadex {

// The extension mask and its description while only the built-in decoders are in use.
inline constexpr char16_t kNativeExtensionMask[] = u"*.jpg;*.jif;*.jpe;*.jpeg;*.bmp;*.png";
inline constexpr char16_t kNativeExtensionDescription[] = u"BMP & JPEG & PNG graphics";

// The extension of a path's file name including its dot ("" when the name has no dot).
QString ExtensionOf(QStringView path);

// Whether a file with this extension (dot included) may be added under the given mask (such
// as "*.jpg;*.png"), regardless of letter case. An extension of four or more characters is
// accepted wherever it occurs in the mask; a shorter one only where it ends a mask entry, so
// ".jp" is refused although ".jpg" is listed.
bool IsAcceptedExtension(QStringView extension, QStringView mask);

} // namespace lumadex
