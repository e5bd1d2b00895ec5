// The shipped module library: it must load cleanly, and every module number
// that the program treats specially must be there with its items where that
// treatment looks for them.
#include "tests/data/data_files.h"
#include "workspace/module_library.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace k7 {
namespace {

const LibraryLoad& Shipped() {
    static const LibraryLoad load = LoadModuleLibrary(test::DataFolder());
    return load;
}
const ModuleLibrary& Library() {
    return Shipped().Library;
}
const TModuleDef& Module(int number) {
    return Library().Module(number);
}

int InputsAndConstants(const TModuleDef& m) {
    return m.InputCount + m.ConstantCount;
}

bool IsInputOrConstant(const TModuleItemDef& item) {
    return item.Present() && (item.Letter(2) == 'I' || item.Letter(2) == 'C');
}
bool IsOutput(const TModuleItemDef& item) {
    return item.Present() && item.Letter(2) == 'O';
}

// An integer the user enters (a card, port or size number).
bool IsIntegerEntry(const TModuleItemDef& item) {
    return IsInputOrConstant(item) && item.Letter(1) == 'I' && item.Letter(3) == 'S';
}

std::vector<int> AcceptedCards(const TModuleDef& m) {
    std::vector<int> codes;
    for (int p = 3; p <= 10; ++p)
        if (m.Params[p] > 0)
            codes.push_back(m.Params[p]);
    return codes;
}

std::vector<int> DefinedNumbers() {
    std::vector<int> numbers;
    for (int n = 1; n <= MaxModuleNumber; ++n)
        if (Library().Has(n))
            numbers.push_back(n);
    return numbers;
}

using test::AnalogIn;
using test::AnalogOut;
using test::CardChannels;
using test::DigitalIn;
using test::DigitalOut;
using test::IoKind;

struct ChannelModule {
    int Number;
    const char* Name; // the name the card view offers; empty when it offers none
    IoKind Kind;
};
const std::vector<ChannelModule>& ChannelModules() {
    static const std::vector<ChannelModule> modules = {
        {1, "Analog input 4-20", AnalogIn},   {55, "Analog input 0-5v", AnalogIn},
        {3, "Analog output", AnalogOut},      {23, "", AnalogOut},
        {2, "Digital input DC", DigitalIn},   {12, "Digital input AC", DigitalIn},
        {56, "DiginCount", DigitalIn},        {154, "PulseDurationIn", DigitalIn},
        {4, "Digital output", DigitalOut},    {44, "Digital alarm output", DigitalOut},
        {155, "PulseDurationOut", DigitalOut}};
    return modules;
}

TEST(ShippedLibrary, LoadsWithoutMessages) {
    std::string all;
    for (const std::string& m : Shipped().Messages)
        all += m + "\n";
    EXPECT_TRUE(Shipped().Messages.empty()) << all;
    EXPECT_GE(DefinedNumbers().size(), 35u);
}

TEST(ShippedLibrary, LastRecordHasTheHighestNumber) {
    // Name look-up runs from 1 to the number of the last record read.
    for (int n : DefinedNumbers())
        EXPECT_LE(n, Library().TopNumber) << "module " << n << " is beyond the name look-up";
}

// The record as the library is produced: parameters only up to the first
// non-positive one after the second, every item as code.prompt.suffix.
std::string CanonicalRecord(int number, const TModuleDef& m) {
    std::string record = std::to_string(number) + "|" + std::to_string(m.TypeCode);
    if (m.Params[1] > 0) {
        record += "," + std::to_string(m.Params[1]) + "," + std::to_string(m.Params[2]);
        for (int p = 3; p <= 10 && m.Params[p] > 0; ++p)
            record += "," + std::to_string(m.Params[p]);
    }
    record += "|" + m.Name + "|" + m.Description;
    for (int k = 1; k <= MaxModuleItems && m.Items[k].Present(); ++k)
        record += "|" + m.Items[k].Code + "." + m.Items[k].Prompt + "." + m.Items[k].Suffix;
    return record + "|\\\r\n";
}

TEST(ShippedLibrary, IsWrittenInTheCanonicalRecordLayout) {
    std::string canonical;
    for (int n : DefinedNumbers())
        canonical += CanonicalRecord(n, Module(n));
    const std::string file = test::ReadWholeFile(test::DataFolder() + "K7MODDEF.TXT");
    ASSERT_FALSE(file.empty());
    size_t differ = 0;
    while (differ < canonical.size() && differ < file.size() && canonical[differ] == file[differ])
        ++differ;
    EXPECT_EQ(canonical, file) << "first difference at byte " << differ << ": "
                               << file.substr(differ > 40 ? differ - 40 : 0, 80);
}

TEST(ShippedLibrary, NamesPromptsAndSuffixesAreUniqueAndWithinLimits) {
    std::set<std::string> names;
    for (int n : DefinedNumbers()) {
        const TModuleDef& m = Module(n);
        SCOPED_TRACE("module " + std::to_string(n));
        EXPECT_FALSE(m.Name.empty());
        EXPECT_LE(m.Name.size(), 40u);
        EXPECT_TRUE(names.insert(m.Name).second) << "duplicate name " << m.Name;
        EXPECT_FALSE(m.Description.empty());

        std::set<std::string> suffixes;
        for (int k = 1; k <= MaxModuleItems; ++k) {
            const TModuleItemDef& item = m.Items[k];
            if (k > m.LastItem()) {
                EXPECT_FALSE(item.Present()) << "item " << k << " beyond the counted items";
                continue;
            }
            ASSERT_TRUE(item.Present()) << "gap at item " << k;
            EXPECT_LE(item.Prompt.size(), 40u) << item.Prompt;
            ASSERT_EQ(item.Code.size(), 4u) << item.Code;
            EXPECT_NE(std::string("FIDTAS").find(item.Letter(1)), std::string::npos) << item.Code;
            EXPECT_NE(std::string("SA").find(item.Letter(3)), std::string::npos) << item.Code;
            EXPECT_NE(std::string("SETACGM").find(item.Letter(4)), std::string::npos) << item.Code;
            if (k < m.FirstOutputItem()) {
                EXPECT_TRUE(IsInputOrConstant(item)) << "item " << k << " " << item.Code;
                EXPECT_TRUE(item.Suffix.empty()) << "item " << k;
            } else {
                EXPECT_TRUE(IsOutput(item)) << "item " << k << " " << item.Code;
                EXPECT_FALSE(item.Suffix.empty()) << "item " << k;
                EXPECT_LE(item.Suffix.size(), 20u);
                EXPECT_EQ(item.Suffix.find('.'), std::string::npos);
                EXPECT_TRUE(suffixes.insert(item.Suffix).second) << "duplicate " << item.Suffix;
            }
        }
    }
}

TEST(ShippedLibrary, SystemModuleMatchesTheInstanceOfANewProject) {
    const TModuleDef& system = Module(57);
    EXPECT_EQ(system.Name, "System");
    EXPECT_EQ(system.TypeCode, CatIoSystem);
    ASSERT_EQ(InputsAndConstants(system), 10);
    ASSERT_EQ(system.OutputCount, 3);
    EXPECT_EQ(system.Items[11].Suffix, "BootTrg");
    EXPECT_EQ(system.Items[12].Suffix, "SecTrg");
    EXPECT_EQ(system.Items[13].Suffix, "Logon");
    EXPECT_EQ(system.Items[11].Code, "DOSG");
    EXPECT_EQ(system.Items[12].Code, "DOSG");
    // A new project leaves items 1..10 blank; none may be a required constant.
    for (int k = 1; k <= 10; ++k) {
        const TModuleItemDef& item = system.Items[k];
        EXPECT_FALSE(item.Letter(4) == 'C' && item.Letter(1) != 'S') << "item " << k;
    }
}

TEST(ShippedLibrary, ChannelModulesHoldChannelCardAndCageAndAcceptTheirCards) {
    for (const ChannelModule& io : ChannelModules()) {
        const TModuleDef& m = Module(io.Number);
        SCOPED_TRACE("module " + std::to_string(io.Number));
        if (io.Name[0] != '\0') {
            EXPECT_EQ(Library().FindModuleByName(io.Name), io.Number);
        }
        EXPECT_EQ(m.TypeCode, CatIoSystem);
        ASSERT_GE(InputsAndConstants(m), 3);
        for (int k = 1; k <= 3; ++k)
            EXPECT_TRUE(IsIntegerEntry(m.Items[k])) << "item " << k << " " << m.Items[k].Code;
        EXPECT_EQ(m.Params[1], 2);
        EXPECT_EQ(m.Params[2], 3);
        const std::vector<int> cards = AcceptedCards(m);
        EXPECT_FALSE(cards.empty());
        for (int code : cards)
            EXPECT_GT(CardChannels(code, io.Kind), 0) << "card code " << code;
    }
}

TEST(ShippedLibrary, EveryCardWithChannelsHasAModuleForEachKind) {
    for (int code = 1; code <= 17; ++code)
        for (IoKind kind : {AnalogIn, AnalogOut, DigitalIn, DigitalOut}) {
            if (CardChannels(code, kind) == 0)
                continue;
            bool offered = false;
            for (const ChannelModule& io : ChannelModules())
                for (int accepted : AcceptedCards(Module(io.Number)))
                    offered = offered || (io.Kind == kind && accepted == code);
            EXPECT_TRUE(offered) << "card code " << code << ", kind " << kind;
        }
}

TEST(ShippedLibrary, PortAndStationModulesDescribeThemselvesInTheirFirstThreeItems) {
    for (int number : {8, 53}) {
        const TModuleDef& m = Module(number);
        SCOPED_TRACE("module " + std::to_string(number));
        EXPECT_EQ(m.TypeCode, CatIoSystem);
        ASSERT_GE(InputsAndConstants(m), 3);
        EXPECT_EQ(m.Items[1].Letter(1), 'S'); // printed as is, a text
        EXPECT_TRUE(IsIntegerEntry(m.Items[2]));
        EXPECT_TRUE(IsIntegerEntry(m.Items[3]));
    }
}

TEST(ShippedLibrary, ModulesThatDisplaysNameArePlaceableAndHaveOutputs) {
    for (int number : {18, 20, 65, 168}) {
        const TModuleDef& m = Module(number);
        SCOPED_TRACE("module " + std::to_string(number));
        EXPECT_GE(m.TypeCode, CatIoSystem);
        EXPECT_LE(m.TypeCode, CatComm);
        EXPECT_GE(m.OutputCount, 1);
    }
}

TEST(ShippedLibrary, TrendAndEventLogsStartWithTheirIntegerBlock) {
    // Their first output is sized by a rule of its own and placed as Integer.
    for (int number : {18, 168}) {
        const TModuleItemDef& first = Module(number).Items[Module(number).FirstOutputItem()];
        EXPECT_EQ(first.Letter(1), 'I') << "module " << number;
        EXPECT_EQ(first.Letter(3), 'S') << "module " << number;
    }
    // The event log's size counts the points held in items 5 to 24.
    const TModuleDef& log = Module(168);
    ASSERT_GE(InputsAndConstants(log), 24);
    for (int k = 5; k <= 24; ++k)
        EXPECT_EQ(log.Items[k].Letter(2), 'I') << "item " << k;
}

TEST(ShippedLibrary, BufferModulesHoldBoardPortAndBufferSize) {
    const TModuleDef& serial = Module(31);
    ASSERT_GE(InputsAndConstants(serial), 15);
    for (int k : {1, 2, 15})
        EXPECT_TRUE(IsIntegerEntry(serial.Items[k])) << "type 31 item " << k;

    const TModuleDef& printer = Module(125);
    ASSERT_GE(InputsAndConstants(printer), 2);
    for (int k : {1, 2})
        EXPECT_TRUE(IsIntegerEntry(printer.Items[k])) << "type 125 item " << k;
}

TEST(ShippedLibrary, CardBindingParametersNameEnteredItems) {
    for (int n : DefinedNumbers()) {
        const TModuleDef& m = Module(n);
        if (m.Params[1] <= 0)
            continue;
        SCOPED_TRACE("module " + std::to_string(n));
        ASSERT_LE(m.Params[1], InputsAndConstants(m));
        EXPECT_TRUE(IsIntegerEntry(m.Items[m.Params[1]]));
        ASSERT_LE(m.Params[2], InputsAndConstants(m));
        if (m.Params[2] > 0) {
            EXPECT_TRUE(IsIntegerEntry(m.Items[m.Params[2]]));
        }
        EXPECT_FALSE(AcceptedCards(m).empty());
        for (int code : AcceptedCards(m)) {
            EXPECT_GE(code, 1);
            EXPECT_LE(code, 17);
        }
    }
    const std::vector<int> sleepCards = AcceptedCards(Module(60));
    EXPECT_EQ(sleepCards, std::vector<int>{2}) << "type 60 binds to the sleep controller";
}

TEST(ShippedLibrary, ModulesWithCodeOutsideTheUnitAreNotOffered) {
    int outside = 0;
    for (int n : DefinedNumbers()) {
        const TModuleDef& m = Module(n);
        if (m.TypeCode < 101 || m.TypeCode > 105)
            continue;
        ++outside;
        EXPECT_FALSE(m.CodeInUnit());
        for (int category = CatIoSystem; category <= CatComm; ++category)
            for (const std::string& name : Library().CategoryLists[category])
                EXPECT_NE(name, m.Name);
    }
    EXPECT_GE(outside, 1);
}

TEST(ShippedLibrary, ArraysAndStringsFindTheirSizeWhereTheUnitLooks) {
    for (int n : DefinedNumbers()) {
        const TModuleDef& m = Module(n);
        for (int k = 1; k <= m.LastItem(); ++k) {
            const TModuleItemDef& item = m.Items[k];
            if (item.Letter(3) == 'A') { // arrays are sized by item 1
                EXPECT_TRUE(IsIntegerEntry(m.Items[1])) << "module " << n;
            }
            if (IsOutput(item) && item.Letter(1) == 'S') { // strings by item 2
                EXPECT_TRUE(IsIntegerEntry(m.Items[2])) << "module " << n;
            }
        }
    }
}

TEST(ShippedLibrary, ModuleReferencesAndTriggersSitWhereTheyAreResolved) {
    for (int n : DefinedNumbers()) {
        const TModuleDef& m = Module(n);
        for (int k = 1; k <= m.LastItem(); ++k) {
            const TModuleItemDef& item = m.Items[k];
            if (item.Letter(4) == 'M') {
                EXPECT_EQ(item.Letter(2), 'I') << "module " << n << " item " << k;
            }
            if (IsOutput(item) && item.Letter(4) == 'G') {
                EXPECT_EQ(item.Letter(1), 'D') << "module " << n << " item " << k;
            }
            // Telemetry letters have no place of their own in unit RAM.
            if (item.Letter(1) == 'T' || item.Letter(1) == 'A') {
                EXPECT_EQ(item.Letter(2), 'I') << "module " << n << " item " << k;
            }
        }
    }
}

} // namespace
} // namespace k7
