#include "tests/support/bytes.h"
#include "tests/support/small_library.h"
#include "tests/support/temporary_folder.h"
#include "workspace/module_library.h"

using namespace k7;

TEST(ModuleLibrary, MultiLineDescriptionKeepsItsLineBreaks) {
    LibraryLoad load =
        ParseModuleLibrary({"12|2|Adder|first", "second", "third|FISS.In.|\\"}, "K7MODDEF.TXT");
    ASSERT_TRUE(load.Messages.empty());
    const TModuleDef& adder = load.Library.Module(12);
    EXPECT_EQ(adder.Description, "first\r\nsecond\r\nthird");
    EXPECT_EQ(adder.Name, "Adder");
    EXPECT_EQ(adder.TypeCode, 2);
    EXPECT_EQ(adder.InputCount, 1);
    EXPECT_EQ(adder.Items[1].Code, "FISS");
    EXPECT_EQ(adder.Items[1].Prompt, "In");
    EXPECT_EQ(load.Library.TopNumber, 12);
    EXPECT_EQ(load.Library.CategoryLists[2], std::vector<std::string>{"Adder"});
}

TEST(ModuleLibrary, ItemCodesPromptsAndSuffixes) {
    LibraryLoad load = ParseModuleLibrary(
        {"5|3,2,3,10,16,0,7|Loop|d|FIS.Setpoint.10|FCCCConstant.|FOSS.Output.OUT|DOAG.a.b.c"
         "|xy|SOSS|\\"},
        "K7MODDEF.TXT");
    ASSERT_TRUE(load.Messages.empty());
    const TModuleDef& def = load.Library.Module(5);
    EXPECT_EQ(def.Items[1].Code, "FISS"); // three letters get "S"
    EXPECT_EQ(def.Items[1].Prompt, "Setpoint");
    EXPECT_EQ(def.Items[1].Suffix, "10");
    EXPECT_EQ(def.Items[2].Code, "FCCC"); // no "." after the code
    EXPECT_EQ(def.Items[2].Prompt, "Constant");
    EXPECT_EQ(def.Items[3].Suffix, "OUT");
    EXPECT_EQ(def.Items[4].Prompt, "b"); // every "." ends the prompt so far
    EXPECT_EQ(def.Items[4].Suffix, "c");
    EXPECT_FALSE(def.Items[5].Present()); // too short for a code
    EXPECT_FALSE(def.Items[6].Present()); // nothing after the code
    EXPECT_EQ(def.InputCount, 1);
    EXPECT_EQ(def.ConstantCount, 1);
    EXPECT_EQ(def.OutputCount, 3);
    // Parameters: empty and missing ones are 0.
    EXPECT_EQ(def.Params[1], 2);
    EXPECT_EQ(def.Params[3], 10);
    EXPECT_EQ(def.Params[5], 0);
    EXPECT_EQ(def.Params[6], 7);
    EXPECT_EQ(def.Params[7], 0);
}

TEST(ModuleLibrary, LongFieldsAreCutAndItemsAfterTheFortiethIgnored) {
    std::string record = "7|2|" + std::string(50, 'N') + "|d";
    for (int i = 1; i <= 45; ++i)
        record += "|FOSS." + std::string(45, 'p') + "." + std::string(25, 's') + std::to_string(i);
    record += "|\\";
    LibraryLoad load = ParseModuleLibrary({record}, "K7MODDEF.TXT");
    ASSERT_TRUE(load.Messages.empty());
    const TModuleDef& def = load.Library.Module(7);
    EXPECT_EQ(def.Name.size(), 40u);
    EXPECT_EQ(def.OutputCount, 40);
    EXPECT_EQ(def.Items[40].Prompt.size(), 40u);
    EXPECT_EQ(def.Items[40].Suffix.size(), 20u);
}

TEST(ModuleLibrary, CategoriesRepeatsAndLookups) {
    LibraryLoad load = ParseModuleLibrary(
        {"", "3|103|Hidden|d|\\", "4|1|First|d|\\", "4|5|Second|d|\\", "9|4|Stats|d|\\"},
        "K7MODDEF.TXT");
    ASSERT_TRUE(load.Messages.empty());
    const ModuleLibrary& library = load.Library;
    // TypeCode 103 stays in the table but in no list.
    EXPECT_EQ(library.Module(3).Name, "Hidden");
    EXPECT_FALSE(library.Module(3).CodeInUnit());
    for (const auto& list : library.CategoryLists)
        for (const auto& name : list)
            EXPECT_NE(name, "Hidden");
    // The later record wins; both names stay in the lists.
    EXPECT_EQ(library.Module(4).Name, "Second");
    EXPECT_EQ(library.CategoryLists[1], std::vector<std::string>{"First"});
    EXPECT_EQ(library.CategoryLists[5], std::vector<std::string>{"Second"});
    EXPECT_EQ(library.FindModuleByName("Second"), 4);
    EXPECT_EQ(library.FindModuleByName("Stats"), 9);
    EXPECT_EQ(library.FindModuleByName("stats"), 0);
    EXPECT_EQ(library.TopNumber, 9);
}

TEST(ModuleLibrary, ALibraryNotSortedByNumberFindsEveryModule) {
    LibraryLoad load = ParseModuleLibrary({"9|4|Stats|d|\\", "3|1|Early|d|\\"}, "K7MODDEF.TXT");
    ASSERT_TRUE(load.Messages.empty());
    EXPECT_EQ(load.Library.TopNumber, 9);
    EXPECT_EQ(load.Library.FindModuleByName("Stats"), 9);
    EXPECT_EQ(load.Library.FindModuleByName("Early"), 3);
}

TEST(ModuleLibrary, MalformedRecordsAreSkippedWithTheirLine) {
    LibraryLoad load = ParseModuleLibrary(
        {"1|2|Good|d|\\", "x|2|Bad number|d|\\", "201|2|Too big|d|\\", "0|2|Too small|d|\\",
         "6|two|Bad type|d|\\", "7|2,x|Bad param|d|\\", "8|2|Good too|d|\\", "9|2|Unfinished|d|"},
        "lib.txt");
    ASSERT_EQ(load.Messages.size(), 6u);
    EXPECT_EQ(load.Messages[0],
              "lib.txt, line 2: the record has a module number that is not a number: \"x\"; "
              "it is skipped.");
    EXPECT_NE(load.Messages[1].find("line 3"), std::string::npos);
    EXPECT_NE(load.Messages[1].find("outside 1..200"), std::string::npos);
    EXPECT_NE(load.Messages[4].find("parameter 1"), std::string::npos);
    EXPECT_NE(load.Messages[5].find("ends inside a record"), std::string::npos);
    EXPECT_TRUE(load.Library.Has(1));
    EXPECT_TRUE(load.Library.Has(8));
    EXPECT_FALSE(load.Library.Has(6));
    EXPECT_FALSE(load.Library.Has(9));
}

TEST(ModuleLibrary, MissingFileIsReportedAndTheLibraryIsEmpty) {
    test::TemporaryFolder dir;
    LibraryLoad load = LoadModuleLibrary(dir.Folder());
    ASSERT_EQ(load.Messages.size(), 1u);
    EXPECT_NE(load.Messages[0].find("K7MODDEF.TXT"), std::string::npos);
    EXPECT_EQ(load.Library.TopNumber, 0);

    // A copy from another system with another spelling of the name.
    test::WriteBytes(dir.File("k7moddef.txt"), "2|2|Found|d|\\\r\n");
    load = LoadModuleLibrary(dir.Folder());
    EXPECT_TRUE(load.Messages.empty());
    EXPECT_EQ(load.Library.Module(2).Name, "Found");
}

TEST(ModuleLibrary, BinaryJunkNeverCrashes) {
    std::string junk;
    for (int i = 0; i < 4000; ++i)
        junk += static_cast<char>((i * 37) % 256);
    LibraryLoad load = ParseModuleLibrary({junk, "|||\\", "\\\\", "12|"}, "junk");
    EXPECT_FALSE(load.Messages.empty());
}
