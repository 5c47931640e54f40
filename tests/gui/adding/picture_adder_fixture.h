#pragma once

#include "adding/TOpenForm.h"
#include "adding/TProgress.h"
#include "adding/picture_adder.h"
#include "catalogue/sort_key.h"
#include "core/catalogue/adding_test_tree.h"
#include "document/document.h"
#include "folders/TDirSel.h"
#include "support/scripted_questions.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace lumadex::test {

// The main window's part in adding: its Reference list follows the catalogue, and what it is
// told to show is recorded as "kind:text" (status0, status1, result, logged, refresh, finished).
class MainWindowStandIn : public CatalogueListener {
public:
    void ShowStatus(const QString& text) override { events << "logged:" + text; }
    void RecordAnalysed(Pdata& record) override { reference.Add(&record); }
    void RecordRemoving(Pdata& record) override { reference.RemoveRecord(&record); }
    void CatalogueClearing() override { reference.Clear(); }

    QStringList EventsOf(const QString& kind) const {
        QStringList found;
        for (const QString& event : events)
            if (event.startsWith(kind + ':'))
                found << event.mid(kind.size() + 1);
        return found;
    }

    RecordListStore reference{EqualKeys::Accept};
    QStringList events;
};

// The windows of adding pictures over one document, wired as the main window wires them.
class PictureAdderTest : public testing::Test {
protected:
    PictureAdderTest() {
        document_.SetCatalogueListener(&window_);
        adder_.SetReferenceList(&window_.reference);
        QObject::connect(&adder_, &PictureAdder::StatusText, [this](int panel, const QString& t) {
            window_.events << QStringLiteral("status%1:").arg(panel) + t;
            if (onStatus)
                onStatus(panel, t);
        });
        QObject::connect(&adder_, &PictureAdder::ResultText,
                         [this](const QString& text) { window_.events << "result:" + text; });
        QObject::connect(&adder_, &PictureAdder::RefreshListsRequested,
                         [this] { window_.events << "refresh:"; });
        QObject::connect(&adder_, &PictureAdder::AddingFinished,
                         [this] { window_.events << "finished:"; });
    }

    void SetUp() override { LUMADEX_REQUIRE_TESTDATA("photos"); }

    // Presses Ok of the folder dialog once it is shown, after choosing folder and the depth.
    void ChooseFolderWhenAsked(const QString& folder, std::optional<int> depth) {
        QTimer::singleShot(0, &dirSel_, [this, folder, depth] {
            ASSERT_TRUE(dirSel_.isVisible());
            dirSel_.setDirectory(folder);
            dirSel_.LevelLimit->setChecked(depth.has_value());
            dirSel_.UpDown1->setValue(depth.value_or(1));
            dirSel_.Button1->click();
        });
    }

    QStringList Catalogued() { return CataloguePaths(document_.pictures()); }

    PictureTree tree_;
    ScriptedQuestions questions_;
    Document document_{NativePictureLoader(), questions_};
    MainWindowStandIn window_;
    QWidget mainWindow_;
    TProgress progress_{&mainWindow_};
    TDirSel dirSel_{document_, questions_};
    TOpenForm openForm_{document_};
    PictureAdder adder_{document_, progress_, dirSel_, openForm_, &mainWindow_};
    std::function<void(int panel, const QString& text)> onStatus;
};

} // namespace lumadex::test
