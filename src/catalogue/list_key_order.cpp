#include "catalogue/list_key_order.h"

#include <QVarLengthArray>

namespace lumadex {
namespace {

using KeyBuffer = QVarLengthArray<QChar, 128>;

QStringView WithoutHyphens(QStringView key, KeyBuffer& buffer) {
    if (!key.contains(u'-'))
        return key;
    buffer.clear();
    for (const QChar c : key) {
        if (c != u'-')
            buffer.append(c);
    }
    return QStringView(buffer.constData(), buffer.size());
}

} // namespace

ListKeyOrder::ListKeyOrder(const QLocale& locale) : collator_(locale) {
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

int ListKeyOrder::Compare(QStringView a, QStringView b) const {
    KeyBuffer bufferA;
    KeyBuffer bufferB;
    const QStringView strippedA = WithoutHyphens(a, bufferA);
    const QStringView strippedB = WithoutHyphens(b, bufferB);
    if (const int primary = collator_.compare(strippedA, strippedB); primary != 0)
        return primary;
    const bool hadHyphens = strippedA.size() != a.size() || strippedB.size() != b.size();
    if (const int withHyphens = hadHyphens ? collator_.compare(a, b) : 0; withHyphens != 0)
        return withHyphens;
    // Keys the collation cannot tell apart are ordered by their characters, so that only keys
    // equal but for letter case count as equal.
    return a.compare(b, Qt::CaseInsensitive);
}

} // namespace lumadex
