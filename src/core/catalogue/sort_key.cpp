#include "catalogue/sort_key.h"

#include "options/option_model.h"

#include <QDir>
#include <algorithm>
#include <cstdint>
#include <limits>

namespace lumadex {
namespace {

constexpr qsizetype kNumberDigits = 6;

bool IsDecimalDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// One backward scan: lists ask for the names of a million paths at a time.
qsizetype FileNameStart(QStringView path) {
    const QChar native = QDir::separator();
    qsizetype start = path.size();
    while (start > 0 && path[start - 1] != u'/' && path[start - 1] != native)
        --start;
    return start;
}

// The key of an unknown time or size: one past the largest i32 as an i32 overflows to its
// lowest value. The list order gives the minus sign no weight, so it sorts after every key of
// DescendingKey.
QString UnknownValueKey() {
    return QString::number(std::numeric_limits<std::int32_t>::min());
}

// Ten digits counting down from the largest i32, so that a larger value gets a smaller key.
QString DescendingKey(std::int32_t value) {
    std::int32_t rest = std::numeric_limits<std::int32_t>::max() - std::max(value, 0);
    QString key(10, u'0');
    for (qsizetype i = key.size() - 1; rest > 0; --i, rest /= 10)
        key[i] = QChar(u'0' + rest % 10);
    return key;
}

} // namespace

QString NumberedName(QStringView name) {
    const auto digit = std::find_if(name.begin(), name.end(), IsDecimalDigit);
    if (digit == name.end())
        return name.toString();
    const auto runEnd = std::find_if_not(digit, name.end(), IsDecimalDigit);
    auto significant = std::find_if(digit, runEnd, [](QChar c) { return c != u'0'; });
    const QStringView number(significant, runEnd);

    QString key;
    key.reserve(name.size() + kNumberDigits);
    key.append(QStringView(name.begin(), digit));
    key.append(QString(std::max<qsizetype>(kNumberDigits - number.size(), 0), u'0'));
    key.append(number);
    key.append(QStringView(runEnd, name.end()));
    return key;
}

QStringView FileNameOf(QStringView path) {
    return path.mid(FileNameStart(path));
}

QStringView FolderOf(QStringView path) {
    return path.left(FileNameStart(path));
}

QString NameKey(const Pdata& record) {
    return FileNameOf(record.fileName).toString();
}

QString NumberedNameKey(const Pdata& record) {
    return NumberedName(FileNameOf(record.fileName));
}

QString PathNameKey(const Pdata& record) {
    return record.fileName;
}

QString NumberedPathNameKey(const Pdata& record) {
    return FolderOf(record.fileName).toString() + u' ' + NumberedName(FileNameOf(record.fileName));
}

QString DateKey(const Pdata& record) {
    // Times before 1970 count as the oldest known time; counting down from them would overflow.
    return record.fileTime == kUnknown ? UnknownValueKey() : DescendingKey(record.fileTime);
}

QString SizeKey(const Pdata& record) {
    return record.fileSize < 0 ? UnknownValueKey() : DescendingKey(record.fileSize);
}

QStringView KeyView(SortKeyFunction keyOf, const Pdata& record, QString& storage) {
    if (keyOf == NameKey)
        return FileNameOf(record.fileName);
    if (keyOf == PathNameKey)
        return record.fileName;
    storage = keyOf(record);
    return storage;
}

SortKeyFunction SortKeyFor(SortMode mode, bool smartSort) {
    switch (mode) {
    case SortMode::Name:
        return smartSort ? NumberedNameKey : NameKey;
    case SortMode::PathName:
        return smartSort ? NumberedPathNameKey : PathNameKey;
    case SortMode::Date:
        return DateKey;
    case SortMode::Size:
    case SortMode::Similarity:
        return SizeKey;
    }
    return NameKey;
}

SortKeyFunction ChooseSortKey(const OptionModel& options) {
    return SortKeyFor(SortMode(options.choice(RadioChoice::Sortby)),
                      options.isChecked(OptionId::SmartSort));
}

} // namespace lumadex
