#include "search/folder_key.h"

namespace lumadex {
namespace {

bool IsSeparator(QChar c) {
#ifdef Q_OS_WIN
    return c == u'\\' || c == u'/';
#else
    return c == u'/';
#endif
}

// Whether a folder part names a root, which keeps its trailing separator.
bool IsRoot(QStringView folder) {
#ifdef Q_OS_WIN
    return folder.isEmpty() || (folder.size() == 2 && folder[1] == u':');
#else
    return folder.isEmpty();
#endif
}

} // namespace

QString ComparableFolder(QStringView path) {
    qsizetype cut = path.size();
    while (cut > 0 && !IsSeparator(path[cut - 1]))
        --cut;
    if (cut == 0)
        return QString();
    QStringView folder = path.left(cut - 1);
    if (IsRoot(folder))
        folder = path.left(cut);
    return folder.toString().toLower();
}

} // namespace lumadex
