// The shipped example project, read line by line against the shipped module
// library: the sections a saved project always has, module lines exactly as
// a save writes them, and wiring that a compile accepts.
#include "tests/data/data_files.h"
#include "workspace/module_library.h"
#include "workspace/project.h"
#include "workspace/project_file.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace k7 {
namespace {

const ModuleLibrary& Library() {
    static const LibraryLoad load = LoadModuleLibrary(test::DataFolder());
    return load.Library;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

struct ExampleLine {
    int Category = 0;
    int Number = 0;
    std::string Head; // number, aux values and notes, as written
    std::string Name;
    std::vector<std::string> Values; // [0] unused, then one per item
    std::vector<std::string> Tail;   // what follows the item values
};

struct Example {
    std::vector<std::string> Lines;
    std::string LineEndingFault;
    std::vector<std::vector<int>> Cages;
    std::vector<ExampleLine> Modules;
};

const Example& PumpStation() {
    static const Example example = [] {
        Example e;
        e.Lines = test::SplitCrLfLines(
            test::ReadWholeFile(test::ExamplesFolder() + "pumpstation.tvr"), e.LineEndingFault);
        size_t i = 0;
        while (i < e.Lines.size() && e.Lines[i] != "!Card Configuration...")
            ++i;
        for (++i; i < e.Lines.size() && e.Lines[i][0] != '!'; ++i) {
            std::vector<int> cage;
            const std::vector<std::string> codes = Split(e.Lines[i], '|');
            for (size_t s = 0; s + 1 < codes.size(); ++s)
                cage.push_back(std::stoi(codes[s]));
            e.Cages.push_back(cage);
        }
        for (++i; i < e.Lines.size() && e.Lines[i][0] != '!'; ++i) {
            const std::vector<std::string> fields = Split(e.Lines[i], '|');
            ExampleLine m;
            m.Category = std::stoi(fields.at(0));
            m.Head = fields.at(1);
            m.Number = std::stoi(Split(m.Head, ',').at(0));
            m.Name = fields.at(2);
            const int items = Library().Module(m.Number).LastItem();
            m.Values.push_back("");
            for (size_t f = 3; f < fields.size(); ++f) {
                if (static_cast<int>(m.Values.size()) <= items)
                    m.Values.push_back(fields[f]);
                else
                    m.Tail.push_back(fields[f]);
            }
            e.Modules.push_back(m);
        }
        return e;
    }();
    return example;
}

bool IsPlainNumber(const std::string& text) {
    if (text.empty())
        return false;
    for (char c : text)
        if (!(c == '-' || c == '.' || (c >= '0' && c <= '9')))
            return false;
    return true;
}

TEST(ExampleProject, HasEverySectionOfASavedProjectInOrder) {
    const Example& e = PumpStation();
    EXPECT_EQ(e.LineEndingFault, "");
    ASSERT_GE(e.Lines.size(), 2u);
    EXPECT_EQ(e.Lines[0].rfind("!Unit type|LCD display choice|5.62|", 0), 0u);
    EXPECT_EQ(e.Lines[1], "7|0");
    std::vector<std::string> headers;
    for (size_t i = 1; i < e.Lines.size(); ++i)
        if (!e.Lines[i].empty() && e.Lines[i][0] == '!')
            headers.push_back(e.Lines[i]);
    const std::vector<std::string> expected = {"!Card Configuration...",
                                               "!Module list...",
                                               "!Display definition",
                                               "!TX telemetry definition",
                                               "!RX telemetry definition",
                                               "!Ladder definition",
                                               "!Tables",
                                               "!Speech",
                                               "!Basic",
                                               "!End of job"};
    EXPECT_EQ(headers, expected);
    EXPECT_EQ(e.Lines.back(), "!End of job");
}

TEST(ExampleProject, WritesEightCagesOfNineSlots) {
    const Example& e = PumpStation();
    ASSERT_EQ(e.Cages.size(), 8u);
    for (const std::vector<int>& cage : e.Cages) {
        ASSERT_EQ(cage.size(), 9u);
        EXPECT_EQ(cage[0], 0) << "slot 0 stays empty";
        for (int code : cage) {
            EXPECT_GE(code, 0);
            EXPECT_LE(code, 17);
        }
    }
}

TEST(ExampleProject, ModuleLinesAreWrittenAsASaveWritesThem) {
    const Example& e = PumpStation();
    ASSERT_GE(e.Modules.size(), 20u);
    EXPECT_EQ(e.Modules[0].Name, "System");
    EXPECT_EQ(e.Modules[0].Number, 57);
    std::set<std::string> names;
    for (const ExampleLine& m : e.Modules) {
        SCOPED_TRACE(m.Name);
        const TModuleDef& type = Library().Module(m.Number);
        ASSERT_TRUE(Library().Has(m.Number));
        EXPECT_EQ(m.Category, type.TypeCode);
        EXPECT_GE(Split(m.Head, ',').size(), 4u) << "number,aux1,aux2,notes";
        EXPECT_FALSE(m.Name.empty());
        EXPECT_LE(m.Name.size(), 40u);
        EXPECT_EQ(m.Name.find('.'), std::string::npos);
        EXPECT_TRUE(names.insert(m.Name).second) << "name used twice";
        ASSERT_EQ(static_cast<int>(m.Values.size()), type.LastItem() + 1);
        EXPECT_EQ(m.Tail, (std::vector<std::string>{"$0", "$0"}));
        for (int k = type.FirstOutputItem(); k <= type.LastItem(); ++k)
            EXPECT_EQ(m.Values[k], m.Name + "." + type.Items[k].Suffix);
        for (const std::string& value : m.Values)
            EXPECT_LE(value.size(), 80u);
    }
}

TEST(ExampleProject, InputsNameOutputsOfTheProjectAndConstantsAreGiven) {
    const Example& e = PumpStation();
    std::map<std::string, char> outputs; // name -> database letter
    for (const ExampleLine& m : e.Modules) {
        const TModuleDef& type = Library().Module(m.Number);
        for (int k = type.FirstOutputItem(); k <= type.LastItem(); ++k)
            outputs[m.Values[k]] = type.Items[k].Letter(1);
    }
    for (const ExampleLine& m : e.Modules) {
        const TModuleDef& type = Library().Module(m.Number);
        for (int k = 1; k < type.FirstOutputItem(); ++k) {
            const TModuleItemDef& item = type.Items[k];
            const std::string& value = m.Values[k];
            SCOPED_TRACE(m.Name + " item " + std::to_string(k) + " " + item.Prompt);
            if (item.Letter(4) == 'C' && item.Letter(1) != 'S') {
                EXPECT_FALSE(value.empty()) << "missing constant";
            }
            if (value.find('.') == std::string::npos || IsPlainNumber(value))
                continue;
            ASSERT_TRUE(outputs.count(value)) << value << " is no output of the project";
            if (item.Letter(1) == 'D') {
                EXPECT_EQ(outputs[value], 'D') << value << " is not a Status";
            }
        }
    }
}

TEST(ExampleProject, BoundModulesSitOnCardsThatAcceptThem) {
    const Example& e = PumpStation();
    const std::map<int, test::IoKind> channelKinds = {
        {1, test::AnalogIn},    {55, test::AnalogIn},   {3, test::AnalogOut},
        {23, test::AnalogOut},  {2, test::DigitalIn},   {12, test::DigitalIn},
        {56, test::DigitalIn},  {154, test::DigitalIn}, {4, test::DigitalOut},
        {44, test::DigitalOut}, {155, test::DigitalOut}};
    std::set<std::string> channelsInUse;
    int bound = 0;
    for (const ExampleLine& m : e.Modules) {
        const TModuleDef& type = Library().Module(m.Number);
        if (type.Params[1] <= 0)
            continue;
        SCOPED_TRACE(m.Name);
        const int card = std::stoi(m.Values.at(type.Params[1]));
        const int cage = type.Params[2] > 0 ? std::stoi(m.Values.at(type.Params[2])) : 1;
        ASSERT_GE(cage, 1);
        ASSERT_LE(cage, 8);
        ASSERT_GE(card, 0);
        ASSERT_LE(card, 8);
        if (card == 0)
            continue;
        const int code = e.Cages[cage - 1][card];
        bool accepted = false;
        for (int p = 3; p <= 10; ++p)
            accepted = accepted || type.Params[p] == code;
        EXPECT_TRUE(accepted) << "card code " << code;
        ++bound;
        const auto kind = channelKinds.find(m.Number);
        if (kind != channelKinds.end()) {
            const int channel = std::stoi(m.Values.at(1));
            EXPECT_GE(channel, 1);
            EXPECT_LE(channel, test::CardChannels(code, kind->second));
            const std::string place = std::to_string(cage) + "/" + std::to_string(card) + "/" +
                                      std::to_string(kind->second) + "/" + m.Values[1];
            EXPECT_TRUE(channelsInUse.insert(place).second) << "channel used twice";
        }
    }
    EXPECT_GE(bound, 15);
}

TEST(ExampleProject, ReadsAndWritesBackUnchangedApartFromTheDate) {
    const Example& e = PumpStation();
    Project project;
    ResetProject(project, Library());
    const ProjectRead read = ReadProjectFile(e.Lines, Library(), project);
    ASSERT_TRUE(read.Ok) << read.Message;
    EXPECT_EQ(project.ModuleCount(), static_cast<int>(e.Modules.size()));
    EXPECT_NE(project.Notes.find("\r\n"), std::string::npos) << "notes over several lines";

    const std::vector<std::string> written =
        ProjectFileLines(project, Library(), project.SavedOnDate);
    EXPECT_EQ(written, e.Lines);
}

} // namespace
} // namespace k7
