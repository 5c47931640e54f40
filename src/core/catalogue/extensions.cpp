#include "catalogue/extensions.h"

#include <QDir>

namespace lumadex {

QString ExtensionOf(QStringView path) {
    qsizetype nameStart = path.lastIndexOf(u'/') + 1;
    nameStart = std::max(nameStart, path.lastIndexOf(QDir::separator()) + 1);
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot >= nameStart ? path.mid(dot).toString() : QString();
}

bool IsAcceptedExtension(QStringView extension, QStringView mask) {
    if (extension.isEmpty())
        return false;
    const QString wanted = extension.toString().toLower();
    const QString entries = mask.toString().toLower();
    for (qsizetype at = entries.indexOf(wanted); at >= 0; at = entries.indexOf(wanted, at + 1)) {
        if (wanted.size() >= 4)
            return true;
        const qsizetype end = at + wanted.size();
        if (end == entries.size() || entries[end] == u';')
            return true;
    }
    return false;
}

} // namespace lumadex
