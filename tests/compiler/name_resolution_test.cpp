// LookupName's order, module references and the BASIC code table.
#include "compiler/compile_context.h"
#include "compiler/name_resolution.h"
#include "session/project_compile.h"
#include "tests/support/test_library.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

class NameResolutionTest : public ::testing::Test {
  protected:
    ModuleLibrary library = test::TestLibrary();
    Project project = test::NewTestProject(library);
    CompileContext context{project, library};

    void AddRxRow(const std::string& name, const std::string& address) {
        TTlmRow row{};
        row[TlmName] = name;
        row[TlmType] = "Float";
        row[TlmAddress] = address;
        project.RxArray.Rows.push_back(row);
    }
};

TEST_F(NameResolutionTest, SystemVariablesComeFirst) {
    context.Symbols.AddFloat("GlobalSP", 0x40F000);
    EXPECT_EQ(LookupName(context, "GlobalSP"), "1000");
    EXPECT_EQ(LookupName(context, "GlobalRTC"), "1003");
    EXPECT_EQ(LookupName(context, "ArchiveData"), "1006");
    EXPECT_EQ(LookupName(context, "globalsp"), "");
}

TEST_F(NameResolutionTest, VariablesBeforeConstantsAndListsInOrder) {
    context.Constants.Floats.Add("2.5");
    context.Constants.Floats.Entries()[0].Address = 0x1040100;
    EXPECT_EQ(LookupName(context, "2.5"), "1040100");
    context.Symbols.AddFloat("2.5", 0x40F000);
    EXPECT_EQ(LookupName(context, "2.5"), "140F000");

    context.Symbols.AddStatus("X", 0x40F010);
    context.Symbols.AddInteger("X", 0x40F020);
    EXPECT_EQ(LookupName(context, "X"), "40F020"); // Integer before Status
    context.Symbols.AddFloat("X", 0x40F030);
    EXPECT_EQ(LookupName(context, "X"), "140F030");
}

TEST_F(NameResolutionTest, RxRowsComeAfterStatusAndBeforeStrings) {
    AddRxRow("R", "$140F040");
    context.RxNames.Build(project);
    context.Symbols.AddString("R", 0x40F050);
    EXPECT_EQ(LookupName(context, "R"), "140F040");
    context.Symbols.AddStatus("R", 0x40F060);
    EXPECT_EQ(LookupName(context, "R"), "240F060");
}

TEST_F(NameResolutionTest, UnassignedRxRowIsNotFound) {
    AddRxRow("R", "$0");
    AddRxRow("Q", "");
    context.RxNames.Build(project);
    EXPECT_EQ(LookupName(context, "R"), "");
    EXPECT_EQ(LookupName(context, "Q"), "");
    context.Symbols.AddString("R", 0x40F050);
    EXPECT_EQ(LookupName(context, "R"), "440F050");
}

TEST_F(NameResolutionTest, ConstantListsInOrderThenTimersThenTriggers) {
    context.Constants.Strings.Add("T");
    context.Constants.Strings.Entries()[0].Address = 0x4040100;
    context.Symbols.AddTimer("T");
    context.Symbols.AssignTimerAddresses(0x40F100);
    EXPECT_EQ(LookupName(context, "T"), "4040100");
    context.Symbols.AddTimer("Tm");
    context.Symbols.AssignTimerAddresses(0x40F100);
    EXPECT_EQ(LookupName(context, "Tm"), "40F104");
    context.Symbols.AddTrigger("Go");
    context.Symbols.AssignTriggerAddresses(0x40F200);
    EXPECT_EQ(LookupName(context, "@Go"), "240F200");
    EXPECT_EQ(LookupName(context, "Go"), "240F202");
    EXPECT_EQ(LookupName(context, "Nothing"), "");
}

TEST_F(NameResolutionTest, TwentyTriggersTakeFourWords) {
    for (int i = 0; i < 20; ++i)
        context.Symbols.AddTrigger("T" + std::to_string(i));
    context.Symbols.AssignTriggerAddresses(0x40F000);
    EXPECT_EQ(LookupName(context, "@T0"), "240F000");
    EXPECT_EQ(LookupName(context, "@T15"), "7A40F000");
    EXPECT_EQ(LookupName(context, "@T16"), "240F002");
    EXPECT_EQ(LookupName(context, "@T19"), "1A40F002");
    EXPECT_EQ(LookupName(context, "T0"), "240F004");
    EXPECT_EQ(LookupName(context, "T19"), "1A40F006");
    EXPECT_EQ(context.Symbols.Triggers.Size(), 40u);
}

TEST_F(NameResolutionTest, ModuleReferenceUsesTheNameBeforeThePeriod) {
    context.NamedModules.Add("Tank1", 0x40200);
    EXPECT_EQ(ModuleReference(context, "Tank1.Level"), "40200");
    EXPECT_EQ(ModuleReference(context, "Tank1"), "40200");
    EXPECT_EQ(ModuleReference(context, "Tank2.Level"), "");
    EXPECT_EQ(ModuleReference(context, "tank1.Level"), "");
}

TEST_F(NameResolutionTest, ModulePointerItemResolvesToTheTankRecord) {
    test::AddInstance(project, library, 40, "USER", {"Tank1.LEVEL", "", ""});
    test::AddInstance(project, library, 20, "Tank1", {"1"});
    CompileProgress progress;
    CompileContext compile(project, library, test::TestOptions());
    ASSERT_EQ(k7::CompileProject(compile, progress), CompileOutcome::Clean);
    // The tank record is written in the second walk, before the user's record.
    const std::string tank = ModuleReference(compile, "Tank1");
    ASSERT_FALSE(tank.empty());
    bool found = false;
    for (const auto& line : compile.Image.Lines)
        found = found || (line.find("|28|") != std::string::npos &&
                          line.find("|" + tank + "|") != std::string::npos);
    EXPECT_TRUE(found);
    EXPECT_EQ(compile.Image.Lines[9].substr(0, tank.size() + 4), tank + "|14|");
}

TEST_F(NameResolutionTest, BasicCodeSharesOneEntryPerObjectFile) {
    BasicCodeTable table;
    EXPECT_EQ(table.BasicCode("PUMP.Obj", false, 0, 0).Address, "");
    EXPECT_EQ(table.BasicCode("PUMP.Obj", true, 0x40400, 96).Address, "40400");
    const auto again = table.BasicCode("PUMP.Obj", false, 0, 0);
    EXPECT_EQ(again.Address, "40400");
    EXPECT_EQ(again.Size, 96u);
    table.BasicCode("OTHER.Obj", false, 0, 0);
    EXPECT_EQ(table.Entries().size(), 2u);
    for (int i = 0; i < 200; ++i)
        table.BasicCode("F" + std::to_string(i), false, 0, 0);
    EXPECT_EQ(table.Entries().size(), static_cast<size_t>(BasicCodeCapacity));
}

TEST_F(NameResolutionTest, RxAddressWords) {
    EXPECT_EQ(RxAddressWord("$140F000"), "140F000");
    EXPECT_EQ(RxAddressWord("140F000"), "140F000");
    EXPECT_EQ(RxAddressWord("$0"), "");
    EXPECT_EQ(RxAddressWord("0"), "");
    EXPECT_EQ(RxAddressWord(""), "");
}

} // namespace
} // namespace k7
