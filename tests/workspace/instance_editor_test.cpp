// The instance editor: opening for new, edit and clone; every refusal of
// "Save" in its order; what a saved record holds; the RAM block rule; the
// notes box; cancel; dropped database names; deleting instances.
#include "tests/workspace/test_bench.h"
#include "workspace/card_cage.h"
#include "workspace/databases.h"
#include "workspace/instance_editor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace k7 {
namespace {

using test::TestBench;

bool Has(const std::vector<std::string>& list, const std::string& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

TEST(OpenNewInstance, RowsFromTheModuleType) {
    TestBench bench;
    InstanceEditor editor(bench.workspace);
    ASSERT_TRUE(editor.OpenNewInstance("Pump control"));
    const EditorState& s = editor.State();
    EXPECT_TRUE(s.Open);
    EXPECT_EQ(s.Mode, EditorMode::New);
    EXPECT_EQ(s.ModuleNumber, 21);
    EXPECT_EQ(s.NameText, "");
    EXPECT_EQ(s.Aux1, 0);
    EXPECT_FALSE(s.ShowNotes);
    EXPECT_FALSE(s.Changed);
    ASSERT_EQ(s.InputRows.size(), 1u);
    EXPECT_EQ(s.InputRows[0].Item, "Run request");
    EXPECT_EQ(s.InputRows[0].Value, "");
    ASSERT_EQ(s.OutputRows.size(), 2u);
    EXPECT_EQ(s.OutputRows[0].Item, "Running");
    EXPECT_EQ(s.OutputRows[0].Value, ".RUN");
    EXPECT_EQ(editor.Caption(), "\rModule Type: Pump control");
    EXPECT_EQ(editor.DescriptionBoxText(), "Runs a pump.");
}

TEST(OpenNewInstance, OutputNamesFollowTheName) {
    TestBench bench;
    InstanceEditor editor(bench.workspace);
    editor.OpenNewInstance("Pump control");
    editor.TypeName("P");
    editor.TypeName("PUMP1");
    EXPECT_EQ(editor.State().OutputRows[0].Value, "PUMP1.RUN");
    EXPECT_EQ(editor.State().OutputRows[1].Value, "PUMP1.FLT");
    EXPECT_TRUE(editor.State().NameTyped);
    EXPECT_TRUE(editor.State().Changed);
    EXPECT_FALSE(bench.project.ProjectChanged);
}

TEST(OpenNewInstance, UnknownTypeOrEmptyLibraryIsRefused) {
    TestBench bench("");
    InstanceEditor editor(bench.workspace);
    EXPECT_FALSE(editor.OpenNewInstance("Analog input 4-20"));
    EXPECT_FALSE(editor.IsOpen());
    EXPECT_EQ(bench.ui.Errors,
              std::vector<std::string>{
                  "The module type \"Analog input 4-20\" is not in the module library."});
}

TEST(OpenNewInstance, APickedChannelPresetsChannelSlotAndCage) {
    TestBench bench;
    bench.project.Cards.At(2, 4) = 6;
    CardPanel panel;
    panel.Visible = true;
    panel.SelectedCage = 2;
    const IoPick pick =
        PickIoPoint(bench.project, DrawCage(bench.project, bench.workspace.library, panel), 4, 5);
    ASSERT_EQ(pick.Action, IoPickAction::ChooseModule);
    InstanceEditor editor(bench.workspace);
    ASSERT_TRUE(editor.OpenNewInstance(pick.Choices[1], pick.Point));
    EXPECT_EQ(editor.State().ModuleNumber, 12);
    EXPECT_EQ(editor.State().PendingPoint, (PendingIoPoint{3, 4, 2}));
    EXPECT_EQ(editor.State().InputRows[0].Value, "3");
    EXPECT_EQ(editor.State().InputRows[1].Value, "4");
    EXPECT_EQ(editor.State().InputRows[2].Value, "2");

    editor.TypeName("DOOR");
    ASSERT_TRUE(editor.SaveInstance());
    EXPECT_EQ(editor.ShowAfterClose(), AfterEditor::CardPanel);
    EXPECT_FALSE(editor.State().PendingPoint);
    EXPECT_EQ(DrawCage(bench.project, bench.workspace.library, panel).Slots[4].Lines[5], "DOOR");
}

TEST(SaveInstanceNaming, EmptyNameComesFirst) {
    TestBench bench;
    InstanceEditor editor(bench.workspace);
    editor.OpenNewInstance("Adder");
    editor.TypeValue(1, "a|b");
    EXPECT_FALSE(editor.SaveInstance());
    EXPECT_EQ(bench.ui.Errors,
              std::vector<std::string>{"You must enter module name before saving."});
    EXPECT_TRUE(editor.IsOpen());
    EXPECT_EQ(bench.project.ModuleCount(), 1);
}

TEST(SaveInstanceNaming, FortyCharactersAreTheLimit) {
    TestBench bench;
    InstanceEditor editor(bench.workspace);
    editor.OpenNewInstance("Adder");
    editor.TypeName(std::string(41, 'N') + ".x");
    EXPECT_FALSE(editor.SaveInstance());
    editor.TypeName(std::string(41, 'N'));
    EXPECT_FALSE(editor.SaveInstance());
    EXPECT_EQ(bench.ui.Errors, (std::vector<std::string>{"Module name exceeds 40 characters.",
                                                         "Module name exceeds 40 characters."}));
    editor.TypeName(std::string(40, 'N'));
    EXPECT_TRUE(editor.SaveInstance());
    EXPECT_EQ(bench.project.Modules.back().Name, std::string(40, 'N'));
    EXPECT_EQ(bench.project.Modules.back().Values[3], std::string(40, 'N') + ".SUM");
}

TEST(SaveInstanceNaming, PeriodThenDollarThenBar) {
    TestBench bench;
    InstanceEditor editor(bench.workspace);
    editor.OpenNewInstance("Adder");
    for (const char* name : {"TANK.1", "$TANK.1", "$TANK", "TA|NK"}) {
        editor.TypeName(name);
        EXPECT_FALSE(editor.SaveInstance()) << name;
    }
    const std::vector<std::string> expected = {
        "Module name cannot contain period character",
        "Module name cannot contain period character",
        "Module name cannot begin with dollar character",
        "The character \"|\" cannot be used here.",
    };
    EXPECT_EQ(bench.ui.Errors, expected);
    EXPECT_EQ(bench.project.ModuleCount(), 1);
    // A "$" elsewhere in the name is harmless.
    editor.TypeName("TANK$");
    EXPECT_TRUE(editor.SaveInstance());
}

TEST(SaveInstanceNaming, ValuesAndNotesMustNotHoldTheFieldSeparator) {
    TestBench bench;
    InstanceEditor editor(bench.workspace);
    editor.OpenNewInstance("Adder");
    editor.TypeName("SUM1");
    editor.TypeValue(2, "A|B");
    EXPECT_FALSE(editor.SaveInstance());
    editor.TypeValue(2, "2\r\n3");
    EXPECT_FALSE(editor.SaveInstance());
    editor.TypeValue(2, "2");
    editor.ToggleDescrNotes();
    editor.TypeNotes("see | here");
    EXPECT_FALSE(editor.SaveInstance());
    EXPECT_EQ(bench.ui.Errors,
              (std::vector<std::string>{"The character \"|\" cannot be used here.",
                                        "A line break cannot be used here.",
                                        "The character \"|\" cannot be used here."}));
    EXPECT_EQ(bench.project.ModuleCount(), 1);
    editor.TypeNotes("first\r\nsecond");
    EXPECT_TRUE(editor.SaveInstance());
    EXPECT_EQ(bench.project.Modules.back().Notes, "first\r\nsecond");
}

TEST(SaveInstanceNaming, NamesInUseByInstancesOrBasicModules) {
    TestBench bench;
    bench.AddInstance(20, "SUM1");
    bench.project.BasicModules.push_back("BASIC1|prog.bas|$0|$0");
    InstanceEditor editor(bench.workspace);
    editor.OpenNewInstance("Adder");
    for (const char* name : {"SUM1", "System", "BASIC1"}) {
        editor.TypeName(name);
        EXPECT_FALSE(editor.SaveInstance()) << name;
    }
    EXPECT_EQ(bench.ui.Errors, std::vector<std::string>(3, "Module name already in use"));
    EXPECT_EQ(bench.project.ModuleCount(), 2);
    editor.TypeName("sum1"); // names compare exactly
    EXPECT_TRUE(editor.SaveInstance());
}

TEST(SaveInstanceNaming, CloneSavedUnchangedIsInUse) {
    TestBench bench;
    const int pump = bench.AddInstance(21, "PUMP1", {"START"});
    InstanceEditor editor(bench.workspace);
    ASSERT_TRUE(editor.OpenExistingInstance(pump, EditorMode::Clone, EditorOrigin::InstanceList));
    EXPECT_FALSE(editor.SaveInstance());
    EXPECT_EQ(bench.ui.Errors, std::vector<std::string>{"Module name already in use"});
    EXPECT_TRUE(editor.IsOpen());
    EXPECT_EQ(bench.project.ModuleCount(), 2);
}

TEST(SaveInstanceNaming, EditKeepsItsNameUnlessTheNameIsTyped) {
    TestBench bench;
    const int pump = bench.AddInstance(21, "PUMP1", {"START"});
    InstanceEditor editor(bench.workspace);
    editor.OpenExistingInstance(pump, EditorMode::Edit, EditorOrigin::InstanceList);
    editor.TypeValue(1, "GO");
    EXPECT_TRUE(editor.SaveInstance());
    EXPECT_EQ(bench.project.Modules[pump].Values[1], "GO");
    // Typing in the name field makes the own name count as taken.
    editor.OpenExistingInstance(pump, EditorMode::Edit, EditorOrigin::InstanceList);
    editor.TypeName("PUMP1");
    EXPECT_FALSE(editor.SaveInstance());
    EXPECT_EQ(bench.ui.Errors, std::vector<std::string>{"Module name already in use"});
}

TEST(SaveInstanceRecord, NewInstanceAppendsWithEveryField) {
    TestBench bench;
    InstanceEditor editor(bench.workspace);
    editor.OpenNewInstance("Pump control");
    editor.TypeName("PUMP1");
    editor.TypeValue(1, std::string(81, 'v'));
    EXPECT_FALSE(editor.SaveInstance()); // the reader keeps 80 characters
    EXPECT_EQ(bench.ui.Errors.back(), TooLongMessage(80));
    editor.TypeValue(1, std::string(80, 'v'));
    ASSERT_TRUE(editor.SaveInstance());
    EXPECT_FALSE(editor.IsOpen());
    EXPECT_EQ(editor.ShowAfterClose(), AfterEditor::Nothing);
    ASSERT_EQ(bench.project.ModuleCount(), 2);
    const TModuleInst& m = bench.project.Modules[1];
    EXPECT_EQ(m.Category, 3);
    EXPECT_EQ(m.ModuleNumber, 21);
    EXPECT_EQ(m.Name, "PUMP1");
    EXPECT_EQ(m.Values[1], std::string(80, 'v'));
    EXPECT_EQ(m.Values[2], "PUMP1.RUN");
    EXPECT_EQ(m.Values[3], "PUMP1.FLT");
    EXPECT_EQ(m.Values[4], "");
    EXPECT_TRUE(bench.project.ProjectChanged);
    EXPECT_TRUE(bench.project.NeedCompile);
}

TEST(SaveInstanceRecord, OutputsReachTheirDatabaseLists) {
    TestBench bench;
    InstanceEditor editor(bench.workspace);
    const std::pair<const char*, const char*> picks[] = {{"Pump control", "PUMP1"},
                                                         {"Adder", "SUM1"},
                                                         {"DiginCount", "PULSES"},
                                                         {"String builder", "MSG"}};
    for (auto [type, name] : picks) {
        editor.OpenNewInstance(type);
        editor.TypeName(name);
        ASSERT_TRUE(editor.SaveInstance()) << name;
    }
    const DatabaseLists& db = bench.project.Databases;
    EXPECT_TRUE(Has(db.Status, "PUMP1.RUN"));
    EXPECT_TRUE(Has(db.Status, "PUMP1.FLT"));
    EXPECT_TRUE(Has(db.Float, "SUM1.SUM"));
    EXPECT_TRUE(Has(db.Integer, "PULSES.CNT"));
    EXPECT_EQ(db.String, std::vector<std::string>{"MSG.TXT"});
    EXPECT_FALSE(Has(db.Float, "PUMP1.RUN"));
    ASSERT_EQ(bench.project.InstanceLists[3].size(), 1u);
    EXPECT_EQ(bench.project.InstanceLists[3][0].Text, "PUMP1...Pump control");
}

TEST(SaveInstanceRecord, RenamingMovesTheOutputNames) {
    TestBench bench;
    const int pump = bench.AddInstance(21, "PUMP1");
    RebuildDatabases(bench.project, bench.workspace.library);
    InstanceEditor editor(bench.workspace);
    editor.OpenExistingInstance(pump, EditorMode::Edit, EditorOrigin::InstanceList);
    editor.TypeName("PUMP2");
    ASSERT_TRUE(editor.SaveInstance());
    EXPECT_EQ(bench.project.ModuleCount(), 2);
    EXPECT_EQ(bench.project.Modules[pump].Values[2], "PUMP2.RUN");
    EXPECT_TRUE(Has(bench.project.Databases.Status, "PUMP2.RUN"));
    EXPECT_FALSE(Has(bench.project.Databases.Status, "PUMP1.RUN"));
}

TEST(SaveInstanceRecord, CloneCarriesValuesAuxAndNotesToANewInstance) {
    TestBench bench;
    const int pump = bench.AddInstance(21, "PUMP1", {"START"});
    TModuleInst& original = bench.project.Modules[pump];
    original.Aux1 = 7;
    original.Aux2 = -3;
    original.Notes = "north well";
    original.RamStart = 0x100;
    original.RamEnd = 0x107;
    InstanceEditor editor(bench.workspace);
    ASSERT_TRUE(editor.OpenExistingInstance(pump, EditorMode::Clone, EditorOrigin::InstanceList));
    EXPECT_EQ(editor.State().Mode, EditorMode::Clone);
    editor.TypeName("PUMP2");
    ASSERT_TRUE(editor.SaveInstance());
    ASSERT_EQ(bench.project.ModuleCount(), 3);
    const TModuleInst& clone = bench.project.Modules[2];
    EXPECT_EQ(clone.Values[1], "START");
    EXPECT_EQ(clone.Values[2], "PUMP2.RUN");
    EXPECT_EQ(clone.Aux1, 7);
    EXPECT_EQ(clone.Aux2, -3);
    EXPECT_EQ(clone.Notes, "north well");
    EXPECT_EQ(clone.RamStart, 0u);
    EXPECT_EQ(clone.RamEnd, 0u);
    EXPECT_EQ(bench.project.Modules[pump].Name, "PUMP1");
    EXPECT_EQ(bench.project.Modules[pump].RamEnd, 0x107u);
}

TEST(SaveInstanceRamBlock, ArrayBlockKeptWhileItsSizeHolds) {
    TestBench bench;
    const int store = bench.AddInstance(22, "LOG", {"10"});
    bench.project.Modules[store].RamStart = 0x100;
    bench.project.Modules[store].RamEnd = 0x127; // 40 bytes: 10 words
    InstanceEditor editor(bench.workspace);
    editor.OpenExistingInstance(store, EditorMode::Edit, EditorOrigin::InstanceList);
    ASSERT_TRUE(editor.SaveInstance());
    EXPECT_EQ(bench.project.Modules[store].RamStart, 0x100u);
    EXPECT_EQ(bench.project.Modules[store].RamEnd, 0x127u);
    editor.OpenExistingInstance(store, EditorMode::Edit, EditorOrigin::InstanceList);
    editor.TypeValue(1, "12");
    ASSERT_TRUE(editor.SaveInstance());
    EXPECT_EQ(bench.project.Modules[store].RamStart, 0u);
    EXPECT_EQ(bench.project.Modules[store].RamEnd, 0u);
}

TEST(SaveInstanceRamBlock, StringBlockBySizeAndOddValues) {
    TestBench bench;
    const int text = bench.AddInstance(23, "MSG", {"", "10"});
    bench.project.Modules[text].RamStart = 0x200;
    bench.project.Modules[text].RamEnd = 0x20B; // (10 div 4 + 1) x 4 = 12 bytes
    InstanceEditor editor(bench.workspace);
    editor.OpenExistingInstance(text, EditorMode::Edit, EditorOrigin::InstanceList);
    ASSERT_TRUE(editor.SaveInstance());
    EXPECT_EQ(bench.project.Modules[text].RamEnd, 0x20Bu);
    // A size that is not a number counts as 0: one word, and the block changes.
    editor.OpenExistingInstance(text, EditorMode::Edit, EditorOrigin::InstanceList);
    editor.TypeValue(2, "ten");
    ASSERT_TRUE(editor.SaveInstance());
    EXPECT_EQ(bench.project.Modules[text].RamStart, 0u);
    // An end below the start is no block either.
    bench.project.Modules[text].RamStart = 0x300;
    bench.project.Modules[text].RamEnd = 0x2FF;
    editor.OpenExistingInstance(text, EditorMode::Edit, EditorOrigin::InstanceList);
    ASSERT_TRUE(editor.SaveInstance());
    EXPECT_EQ(bench.project.Modules[text].RamStart, 0u);
}

TEST(EditorCapacity, AThousandInstancesRefuseAnotherButStillEdit) {
    TestBench bench;
    while (bench.project.ModuleCount() < MaxInstances)
        bench.AddInstance(20, "A" + std::to_string(bench.project.ModuleCount()));
    InstanceEditor editor(bench.workspace);
    EXPECT_FALSE(editor.OpenNewInstance("Adder"));
    EXPECT_FALSE(editor.OpenExistingInstance(5, EditorMode::Clone, EditorOrigin::InstanceList));
    EXPECT_EQ(bench.ui.Errors,
              std::vector<std::string>(
                  2, "The project already holds 1000 module instances; no more can be added."));
    EXPECT_TRUE(editor.OpenExistingInstance(5, EditorMode::Edit, EditorOrigin::InstanceList));
    editor.TypeName("RENAMED");
    EXPECT_TRUE(editor.SaveInstance());
    EXPECT_EQ(bench.project.ModuleCount(), MaxInstances);
}

TEST(EditorCapacity, AFullProjectRefusesTheSaveOfAnEditorOpenedBefore) {
    TestBench bench;
    InstanceEditor editor(bench.workspace);
    editor.OpenNewInstance("Adder");
    editor.TypeName("LATE");
    while (bench.project.ModuleCount() < MaxInstances)
        bench.AddInstance(20, "A" + std::to_string(bench.project.ModuleCount()));
    EXPECT_FALSE(editor.SaveInstance());
    EXPECT_EQ(bench.project.ModuleCount(), MaxInstances);
    EXPECT_TRUE(editor.IsOpen());
}

TEST(OpenExistingInstance, FillsTheEditorFromTheInstance) {
    TestBench bench;
    const int pump = bench.AddInstance(21, "PUMP1", {"START"});
    bench.project.Modules[pump].Notes = "n";
    bench.project.Modules[pump].Values[2] = "stale";
    InstanceEditor editor(bench.workspace);
    ASSERT_TRUE(editor.OpenExistingInstance(pump, EditorMode::Edit, EditorOrigin::Tree));
    const EditorState& s = editor.State();
    EXPECT_EQ(s.EditedIndex, pump);
    EXPECT_EQ(s.NameText, "PUMP1");
    EXPECT_FALSE(s.NameTyped);
    EXPECT_EQ(s.NotesText, "n");
    EXPECT_EQ(s.InputRows[0].Value, "START");
    EXPECT_EQ(s.OutputRows[0].Value, "PUMP1.RUN");
    EXPECT_TRUE(editor.SaveInstance());
    EXPECT_EQ(editor.ShowAfterClose(), AfterEditor::Tree);
}

TEST(OpenExistingInstance, RefusesMissingEntriesAndUnknownTypes) {
    TestBench bench;
    TModuleInst foreign;
    foreign.ModuleNumber = 150; // not in this library
    foreign.Category = 2;
    foreign.Name = "FOREIGN";
    bench.project.Modules.push_back(foreign);
    InstanceEditor editor(bench.workspace);
    EXPECT_FALSE(editor.OpenExistingInstance(7, EditorMode::Edit, EditorOrigin::InstanceList));
    EXPECT_FALSE(editor.OpenExistingInstance(-1, EditorMode::Edit, EditorOrigin::Tree));
    EXPECT_FALSE(editor.OpenExistingInstance(1, EditorMode::Edit, EditorOrigin::InstanceList));
    ASSERT_EQ(bench.ui.Errors.size(), 3u);
    EXPECT_EQ(bench.ui.Errors[0], "You must first select an entry");
    EXPECT_EQ(bench.ui.Errors[1], "You must first select an entry in the tree");
    EXPECT_EQ(bench.ui.Errors[2],
              "The module type of FOREIGN is not in the module library; it cannot be edited here.");
    EXPECT_FALSE(editor.IsOpen());
}

TEST(NotesBox, ToggleBetweenDescriptionAndNotes) {
    TestBench bench;
    InstanceEditor editor(bench.workspace);
    editor.OpenNewInstance("Adder");
    editor.TypeNotes("ignored while the description shows");
    EXPECT_EQ(editor.DescriptionBoxText(), "Adds two inputs.");
    EXPECT_FALSE(editor.State().Changed);
    editor.ToggleDescrNotes();
    EXPECT_EQ(editor.DescriptionBoxText(), "");
    editor.TypeNotes("calibrated");
    editor.ToggleDescrNotes();
    EXPECT_EQ(editor.DescriptionBoxText(), "Adds two inputs.");
    editor.TypeName("SUM1");
    ASSERT_TRUE(editor.SaveInstance());
    EXPECT_EQ(bench.project.Modules.back().Notes, "calibrated");
}

TEST(CancelEditor, AsksOnlyAfterAChange) {
    TestBench bench;
    InstanceEditor editor(bench.workspace);
    editor.OpenNewInstance("Adder");
    EXPECT_TRUE(editor.CancelInstanceEditor());
    EXPECT_TRUE(bench.ui.Questions.empty());
    EXPECT_FALSE(editor.IsOpen());

    editor.OpenNewInstance("Adder");
    editor.TypeValue(1, "3");
    EXPECT_FALSE(editor.CancelInstanceEditor()); // answered No
    EXPECT_TRUE(editor.IsOpen());
    EXPECT_EQ(editor.State().InputRows[0].Value, "3");
    bench.ui.YesNoAnswers.push_back(true);
    EXPECT_TRUE(editor.CancelInstanceEditor());
    EXPECT_EQ(bench.ui.Questions,
              std::vector<std::string>(2, "One or more entries has changed, OK to abandon?"));
    EXPECT_EQ(bench.project.ModuleCount(), 1);
}

TEST(CancelEditor, ReopeningOverEditsAsksTooAndNoKeepsThem) {
    // Another library pick, Details, Clone and a channel click.
    const std::vector<std::function<bool(InstanceEditor&)>> reopenings = {
        [](InstanceEditor& e) { return e.OpenNewInstance("Sink"); },
        [](InstanceEditor& e) {
            return e.OpenExistingInstance(0, EditorMode::Edit, EditorOrigin::InstanceList);
        },
        [](InstanceEditor& e) {
            return e.OpenExistingInstance(0, EditorMode::Clone, EditorOrigin::InstanceList);
        },
        [](InstanceEditor& e) {
            return e.OpenExistingInstance(0, EditorMode::Edit, EditorOrigin::CardChannel);
        },
    };
    for (const auto& reopen : reopenings) {
        TestBench bench;
        InstanceEditor editor(bench.workspace);
        editor.OpenNewInstance("Adder");
        editor.TypeValue(1, "3");
        EXPECT_FALSE(reopen(editor)); // answered No
        EXPECT_EQ(bench.ui.Questions,
                  std::vector<std::string>{"One or more entries has changed, OK to abandon?"});
        EXPECT_EQ(editor.State().InputRows[0].Value, "3");
        bench.ui.YesNoAnswers.push_back(true);
        EXPECT_TRUE(reopen(editor));
        EXPECT_NE(editor.State().InputRows[0].Value, "3");
    }
}

TEST(CancelEditor, AProjectChangeElsewhereCountsAsAChange) {
    TestBench bench;
    InstanceEditor editor(bench.workspace);
    editor.OpenNewInstance("Adder");
    bench.workspace.MarkProjectChanged(ProjectPart::Modules);
    EXPECT_TRUE(editor.State().Changed);
    EXPECT_FALSE(editor.CancelInstanceEditor());
    EXPECT_EQ(bench.ui.Questions.size(), 1u);
}

TEST(CancelEditor, ReturnsToTheCardPanelItCameFrom) {
    TestBench bench;
    InstanceEditor editor(bench.workspace);
    editor.OpenNewInstance("Digital input DC", PendingIoPoint{1, 2, 3});
    bench.ui.YesNoAnswers.push_back(true);
    EXPECT_TRUE(editor.CancelInstanceEditor());
    EXPECT_EQ(editor.ShowAfterClose(), AfterEditor::CardPanel);
    EXPECT_FALSE(editor.State().PendingPoint);
    EXPECT_EQ(bench.project.ModuleCount(), 1);
}

TEST(DropDbName, SetsTheInputAndMarksBothChanges) {
    TestBench bench;
    InstanceEditor editor(bench.workspace);
    editor.OpenNewInstance("Adder");
    EXPECT_TRUE(editor.DropDbNameOnInput(2, "TANK.LVL"));
    EXPECT_EQ(editor.State().InputRows[1].Value, "TANK.LVL");
    EXPECT_TRUE(editor.State().Changed);
    EXPECT_TRUE(bench.project.ProjectChanged);
    EXPECT_FALSE(editor.DropDbNameOnInput(3, "X.Y")); // an output row
    EXPECT_FALSE(editor.DropDbNameOnInput(0, "X.Y"));
}

TEST(DeleteInstance, LaterInstancesMoveDown) {
    TestBench bench;
    bench.AddInstance(21, "PUMP1", {"START"});
    const int second = bench.AddInstance(20, "SUM1", {"PUMP1.RUN", "4"});
    bench.project.Modules[second].Notes = "keep me";
    RebuildDatabases(bench.project, bench.workspace.library);
    bench.ui.YesNoAnswers.push_back(true);
    ASSERT_TRUE(DeleteInstance(bench.workspace, {false, 1}));
    EXPECT_EQ(bench.ui.Questions, std::vector<std::string>{"Confirm OK to delete?"});
    ASSERT_EQ(bench.project.ModuleCount(), 2);
    const TModuleInst& moved = bench.project.Modules[1];
    EXPECT_EQ(moved.Name, "SUM1");
    EXPECT_EQ(moved.Notes, "keep me");
    EXPECT_EQ(moved.Values[1], "PUMP1.RUN"); // left for the compiler to report
    EXPECT_EQ(moved.Values[2], "4");
    EXPECT_FALSE(Has(bench.project.Databases.Status, "PUMP1.RUN"));
    EXPECT_TRUE(Has(bench.project.Databases.Float, "SUM1.SUM"));
    EXPECT_TRUE(bench.project.ProjectChanged);
}

TEST(DeleteInstance, AsksFirstThenNeedsASelection) {
    TestBench bench;
    bench.AddInstance(20, "SUM1");
    EXPECT_FALSE(DeleteInstance(bench.workspace, {false, 1})); // answered No
    EXPECT_EQ(bench.project.ModuleCount(), 2);
    EXPECT_TRUE(bench.ui.Errors.empty());
    bench.ui.YesNoAnswers = {true, true, true};
    EXPECT_FALSE(DeleteInstance(bench.workspace, {false, std::nullopt}));
    EXPECT_FALSE(DeleteInstance(bench.workspace, {true, std::nullopt}));
    EXPECT_FALSE(DeleteInstance(bench.workspace, {false, 5}));
    EXPECT_EQ(bench.ui.Errors,
              (std::vector<std::string>{"You must first select an entry",
                                        "You must first select an entry in the tree"}));
    EXPECT_EQ(bench.ui.Questions.size(), 4u);
    EXPECT_EQ(bench.project.ModuleCount(), 2);
    EXPECT_FALSE(bench.project.ProjectChanged);
}

TEST(DeleteInstance, AnOpenEditorStillSavesToItsOwnInstance) {
    TestBench bench;
    bench.AddInstance(20, "SUM1");
    const int pump = bench.AddInstance(21, "PUMP1");
    InstanceEditor editor(bench.workspace);
    editor.OpenExistingInstance(pump, EditorMode::Edit, EditorOrigin::InstanceList);
    editor.TypeValue(1, "GO");
    bench.ui.YesNoAnswers.push_back(true);
    DeleteInstance(bench.workspace, {false, 1});
    ASSERT_TRUE(editor.SaveInstance());
    ASSERT_EQ(bench.project.ModuleCount(), 2);
    EXPECT_EQ(bench.project.Modules[0].Name, "System");
    EXPECT_EQ(bench.project.Modules[1].Name, "PUMP1");
    EXPECT_EQ(bench.project.Modules[1].Values[1], "GO");

    editor.OpenExistingInstance(1, EditorMode::Edit, EditorOrigin::InstanceList);
    bench.ui.YesNoAnswers.push_back(true);
    DeleteInstance(bench.workspace, {false, 1});
    EXPECT_FALSE(editor.SaveInstance());
    EXPECT_EQ(bench.ui.Errors.back(),
              "The instance PUMP1 is no longer in the project; it cannot be saved.");
    EXPECT_EQ(bench.project.ModuleCount(), 1);
}

} // namespace
} // namespace k7
