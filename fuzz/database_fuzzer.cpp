// Reads arbitrary bytes as a database into a fresh document, writes the document back to memory
// and checks that what was written reads back whole and writes the same bytes again.

#include "document/document.h"
#include "store/database_reader.h"
#include "store/database_writer.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

using namespace lumadex;

class NoQuestions : public UserQuestions {
public:
    Answer Ask(const QString&, const QString&, MessageButtons, MessageIcon) override {
        return Answer::Cancel;
    }
    std::optional<QString> AskText(const QString&, const QString&) override { return std::nullopt; }
    FileChoice ChooseFileToOpen(const FileDialogRequest&) override { return {}; }
    FileChoice ChooseFileToSave(const FileDialogRequest&) override { return {}; }
};

class MemorySink : public ByteSink {
public:
    bool Write(std::span<const std::uint8_t> bytes) override {
        received.insert(received.end(), bytes.begin(), bytes.end());
        return true;
    }
    std::vector<std::uint8_t> received;
};

class CountLeftOut : public DatabaseWriteObserver {
public:
    void RecordLeftOut(const Pdata&) override { ++count; }
    int count = 0;
};

struct ReadBack {
    DatabaseReadResult result;
    std::vector<std::uint8_t> written;
    int leftOut = 0;
    int records = 0;
};

ReadBack ReadAndWrite(std::span<const std::uint8_t> bytes) {
    NoQuestions questions;
    Document document(PictureLoader(), questions);
    DatabaseReadObserver reading;
    ReadBack back;
    back.result = ReadDatabaseBytes(bytes,
                                    {document.catalogue(), document.memos(),
                                     document.mismatchNumbers(), document.options(), false},
                                    reading);
    MemorySink sink;
    CountLeftOut writing;
    const DatabaseHeader header = BuildDatabaseHeader(document.options(), document.selectedIndex(),
                                                      document.catalogue().count());
    EncodeDatabase(header, document.memos(), document.catalogue(), sink, writing);
    back.written = std::move(sink.received);
    back.leftOut = writing.count;
    back.records = document.catalogue().count();
    return back;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ReadBack first = ReadAndWrite({data, size});
    const ReadBack second = ReadAndWrite(first.written);
    if (second.result.status != DatabaseReadStatus::Complete ||
        second.records + first.leftOut != first.records)
        std::abort();
    if (first.leftOut == 0 && second.written != first.written)
        std::abort();
    return 0;
}
