#pragma once

#include "document/document.h"

#include <QString>
#include <memory>

namespace lumadex::cli {

// A document driven from the command line: no one to ask, so questions take the answer that
// keeps the user's files as named, problems are printed on standard error, and the save
// dialog always names the database given on the command line.
class DatabaseSession {
public:
    explicit DatabaseSession(QString databasePath);
    ~DatabaseSession();

    Document& document() { return *document_; }

    // Reads the database; a missing file starts a new one when createMissing is set. Prints the
    // reader's message and returns false when the file is unreadable, not a database or broken.
    bool Open(bool createMissing);
    // Writes the database where the document says; false (message printed) when it failed.
    bool Save();
    // Problems reported while the session ran (refused files, read errors).
    int problemsReported() const;

private:
    class Questions;
    class Listener;

    QString databasePath_;
    std::unique_ptr<Questions> questions_;
    std::unique_ptr<Listener> listener_;
    std::unique_ptr<Document> document_;
};

} // namespace lumadex::cli
