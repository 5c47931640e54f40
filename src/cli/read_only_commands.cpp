// The read-only commands: info and dump.
#include "cli/commands.h"
#include "cli/database_session.h"
#include "store/database_header.h"
#include "options/option_rows.h"

#include <QFile>
#include <QStringList>
#include <cstdio>

namespace lumadex::cli {
namespace {

// The header as stored in the file, before any rule of the reader changed it.
DatabaseHeaderInfo StoredHeader(const QString& path) {
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.read(kDatabaseHeaderSize);
    return ReadDatabaseHeaderInfo(
        {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())});
}

QString RecordLine(const Pdata& record) {
    QStringList links;
    for (const std::uint32_t link : record.MemoLinkIndices())
        links << QString::number(link);
    QStringList regions;
    for (int i = 0; i < record.SubIndexCount(); ++i) {
        const SubIndexEntry& entry = record.SubIndexAt(i);
        regions << QStringLiteral("%1:%2:%3,%4,%5,%6")
                       .arg(entry.bits, 8, 16, QLatin1Char('0'))
                       .arg(entry.levels, 8, 16, QLatin1Char('0'))
                       .arg(entry.Left)
                       .arg(entry.Top)
                       .arg(entry.Right)
                       .arg(entry.Bottom)
                       .toUpper();
    }
    return QStringList{
        record.fileName,
        QStringLiteral("%1").arg(record.signatureBits, 8, 16, QLatin1Char('0')).toUpper(),
        QStringLiteral("%1").arg(record.signatureLevels, 8, 16, QLatin1Char('0')).toUpper(),
        QString::number(record.mismatchId),
        QString::number(record.fileSize),
        QString::number(record.fileTime),
        links.join(QLatin1Char(',')),
        regions.join(QLatin1Char(' '))}
        .join(QLatin1Char('\t'));
}

} // namespace

int RunInfo(const QStringList& arguments) {
    if (arguments.size() != 1 || arguments.first().startsWith(QLatin1String("--")))
        return UsageError(QStringLiteral("info needs one database"));
    DatabaseSession session(arguments.first());
    if (!session.Open(false))
        return kExitFailed;
    const Document& document = session.document();
    const DatabaseHeaderInfo header = StoredHeader(arguments.first());
    std::printf("format version: %d\n", header.formatVersion);
    std::printf("records: %d\n", document.catalogue().count());
    std::printf("selectedIndex: %d\n", header.selectedIndex);
    std::printf("memo groups: %d\n", session.document().memos().groupCount());
    std::printf("memo slots: %d\n", session.document().memos().slotCount());
    for (const OptionRow& row : OptionRows())
        std::printf("%.*s=%d\n", int(row.name.size()), row.name.data(),
                    document.options().value(row.id));
    return kExitOk;
}

int RunDump(const QStringList& arguments) {
    if (arguments.size() != 1 || arguments.first().startsWith(QLatin1String("--")))
        return UsageError(QStringLiteral("dump needs one database"));
    DatabaseSession session(arguments.first());
    if (!session.Open(false))
        return kExitFailed;
    const Catalogue& catalogue = session.document().catalogue();
    for (int i = 0; i < catalogue.count(); ++i)
        std::printf("%s\n", qUtf8Printable(RecordLine(catalogue.at(i))));
    return kExitOk;
}

} // namespace lumadex::cli
