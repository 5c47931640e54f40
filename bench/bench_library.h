#pragma once
// A synthetic photo library and a question answerer shared by the benchmarks that read and
// write databases.

#include "document/document.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace lumadex::bench {

// Answers No to every question and names one file in the save dialog.
class SaveTo : public UserQuestions {
public:
    explicit SaveTo(QString path) : path_(std::move(path)) {}
    Answer Ask(const QString&, const QString&, MessageButtons, MessageIcon) override {
        return Answer::No;
    }
    std::optional<QString> AskText(const QString&, const QString&) override { return std::nullopt; }
    FileChoice ChooseFileToOpen(const FileDialogRequest&) override { return {}; }
    FileChoice ChooseFileToSave(const FileDialogRequest&) override {
        return {FileChoiceStatus::Chosen, path_};
    }

private:
    QString path_;
};

// A photo library: a few thousand folders of camera files, some with memos and sub-indices.
inline void FillCatalogue(Document& document, int count) {
    const int memoA = document.memos().AddMemo("Holiday", 100);
    const int memoB = document.memos().AddMemo("Family", 100);
    document.memos().AddGroup("Tags", 100);
    std::vector<std::unique_ptr<Pdata>> records;
    records.reserve(std::size_t(count));
    constexpr int kPerFolder = 300;
    for (int i = 0; i < count; ++i) {
        const int folder = i / kPerFolder;
        auto record =
            std::make_unique<Pdata>(QStringLiteral("/home/user/Pictures/%1/Event %2/IMG_%3.JPG")
                                        .arg(2000 + folder / 200)
                                        .arg(folder, 4, 10, QLatin1Char('0'))
                                        .arg(i % kPerFolder + 1000));
        record->signatureBits = std::uint32_t(i) * 2654435761u;
        record->signatureLevels = ~record->signatureBits;
        record->fileSize = 1000000 + i;
        record->fileTime = 1500000000 + i;
        if (i % 1000 == 0) {
            record->AddMemoLink(std::uint32_t(memoA));
            record->AddMemoLink(std::uint32_t(memoB));
        }
        if (i % 5000 == 0)
            record->AddSubIndex(1, 2, 0, 0, 100, 100);
        records.push_back(std::move(record));
    }
    document.catalogue().AddRecords(std::move(records));
}

} // namespace lumadex::bench
