#pragma once

#include "document/document.h"
#include "platform/server_block.h"

#include <QString>
#include <memory>

namespace lumadex {

class PictureAdder;
class TAboutBox;
class TDirSel;
class TMain;
class TOpenForm;
class TOption;
class TProgress;
class UserQuestions;

// The program's windows over one open database: the document, the main window and the
// windows its commands open (options, progress, folder chooser, open form, About box), the
// picture adder
// and the server block, connected to each other. All of them live as long as this object; the
// other windows are children of the main window.
class MainWindows {
public:
    // startDatabase is read at the main window's first showing; empty loads the option
    // defaults instead.
    explicit MainWindows(std::unique_ptr<UserQuestions> questions,
                         const QString& startDatabase = {});
    ~MainWindows();
    MainWindows(const MainWindows&) = delete;
    MainWindows& operator=(const MainWindows&) = delete;

    Document& document() { return document_; }
    TMain& main() { return *main_; }
    TOption& option() { return *option_; }
    TProgress& progress() { return *progress_; }
    TDirSel& dirSel() { return *dirSel_; }
    TOpenForm& openForm() { return *openForm_; }
    TAboutBox& aboutBox() { return *aboutBox_; }
    PictureAdder& adder() { return *adder_; }
    const ServerBlock& serverBlock() const { return serverBlock_; }

private:
    void ConnectOptions();
    void ConnectAdding();
    void ConnectHelp();
    // "Option..." (Setup1, SpeedButton5): runs the option dialog; a change marks the options
    // modified and lets the main window follow them.
    void Setup1Click();
    void Help2Click();

    std::unique_ptr<UserQuestions> questions_;
    Document document_;
    std::unique_ptr<TMain> main_;
    TOption* option_ = nullptr;
    TProgress* progress_ = nullptr;
    TDirSel* dirSel_ = nullptr;
    TOpenForm* openForm_ = nullptr;
    TAboutBox* aboutBox_ = nullptr;
    std::unique_ptr<PictureAdder> adder_;
    ServerBlock serverBlock_;
};

} // namespace lumadex
