#include "main/selection_status.h"

#include "catalogue/pdata.h"
#include "catalogue/sort_key.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <ctime>

namespace lumadex {

std::optional<FileFacts> FileStatusOf(const QString& path) {
    const QFileInfo file(path);
    if (!file.isFile())
        return std::nullopt;
    return FileFacts{file.size(), file.lastModified().toSecsSinceEpoch()};
}

bool FillUnknownFileFacts(Pdata& record, const FileFacts& facts) {
    if (record.fileSize != -1 && record.fileSize != -2)
        return false;
    record.fileSize = std::int32_t(std::min<std::int64_t>(facts.size, 0x7FFFFFFF));
    record.fileTime = std::int32_t(facts.time);
    return true;
}

QString CtimeText(std::int64_t time) {
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::time_t value = std::time_t(time);
    std::tm local{};
    if (!localtime_r(&value, &local))
        return QString();
    return QString::asprintf("%s %s%3d %02d:%02d:%02d %d", kDays[local.tm_wday],
                             kMonths[local.tm_mon], local.tm_mday, local.tm_hour, local.tm_min,
                             local.tm_sec, local.tm_year + 1900);
}

QString SelectionStatusText(const QString& prefix, const std::optional<FileFacts>& found,
                            const Pdata& record) {
    if (found)
        return prefix + QStringLiteral(" (") + QString::number(found->size) +
               QStringLiteral(" bytes,") + CtimeText(found->time) + QLatin1Char(')');
    if (record.fileTime == -1)
        return prefix + QStringLiteral(" <?? bytes,unknown time>");
    return prefix + QStringLiteral(" <") + QString::number(record.fileSize) +
           QStringLiteral(" bytes,") + CtimeText(record.fileTime) + QLatin1Char('>');
}

QString InfoNameText(const Pdata& record) {
    return QLatin1Char(' ') + FileNameOf(record.fileName).toString();
}

QString InfoSizeText(std::int64_t size) {
    if (size < 1024)
        return QString::number(size);
    return QString::asprintf("%.2fK", double(size) / 1024.0);
}

QString InfoDateText(std::int64_t time) {
    if (time < 0)
        return QString();
    return QLocale().toString(QDateTime::fromSecsSinceEpoch(time).toLocalTime(),
                              QLocale::ShortFormat);
}

QStringList CrystalHints() {
    return {QStringLiteral("All works well"),      QStringLiteral("No ploblem"),
            QStringLiteral("Don't worry"),         QStringLiteral("Relax"),
            QStringLiteral("What happen'?"),       QStringLiteral("It's all right...perhaps"),
            QStringLiteral("There's no error,sir")};
}

} // namespace lumadex
