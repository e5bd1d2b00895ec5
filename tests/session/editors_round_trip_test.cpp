// Every text an editor accepts comes back unchanged once the project is
// saved and opened again; every text it refuses leaves the project as it
// was. The texts are drawn from the characters the project file gives a
// meaning to, and each editor operation that takes typed or dropped text
// is driven with them. The run is seeded: K7_ROUND_TRIP_SEED repeats a run,
// K7_ROUND_TRIP_CASES sets its length.
#include "basic/basic_instance.h"
#include "tables_speech/phrase_vocabulary.h"
#include "tables_speech/speech_editor.h"
#include "tables_speech/table_editor.h"
#include "tests/support/bytes.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/small_library.h"
#include "tests/support/temporary_folder.h"
#include "workspace/display_editor.h"
#include "workspace/instance_editor.h"
#include "workspace/ladder_editor.h"
#include "workspace/text_file.h"
#include "workspace/tlm_workbox.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <random>

using namespace k7;

namespace {

// Every field the project file carries, one labelled entry each.
std::vector<std::string> StoredFields(const Project& p) {
    std::vector<std::string> fields{"notes " + p.Notes};
    for (int m = 0; m < p.ModuleCount(); ++m) {
        const TModuleInst& i = p.Modules[m];
        std::string entry = "module " + std::to_string(i.Category) + "," +
                            std::to_string(i.ModuleNumber) + "," + std::to_string(i.Aux1) + "," +
                            std::to_string(i.Aux2) + "," + i.Notes + "|" + i.Name;
        for (const std::string& value : i.Values)
            entry += "|" + value;
        fields.push_back(entry);
    }
    auto add = [&fields](const char* label, const std::vector<std::string>& lines) {
        for (const std::string& line : lines)
            fields.push_back(label + line);
    };
    add("display ", p.Displays);
    for (const TTlmArray* array : {&p.TxArray, &p.RxArray})
        for (const TTlmRow& row : array->Rows) {
            std::string entry = "telemetry ";
            for (const std::string& cell : row)
                entry += cell + "|";
            fields.push_back(entry);
        }
    for (const TLadderRung& rung : p.Ladder) {
        std::string entry = "rung ";
        for (int c = 1; c <= LadderColumns; ++c)
            entry += std::to_string(rung.CellKinds[c]) + ":" + rung.CellNames[c] + "|";
        fields.push_back(entry + rung.OnDelay + "|" + rung.OffDelay);
    }
    add("table ", p.Tables);
    add("report ", p.SpeechReports);
    for (int n = 1; n <= PhraseCount; ++n)
        fields.push_back("phrase " + std::to_string(n) + " " + p.SpeechPhrases[n]);
    add("basic ", p.BasicModules);
    return fields;
}

std::string Printable(const std::string& text) {
    static const char* const hex = "0123456789ABCDEF";
    std::string shown;
    for (unsigned char c : text)
        shown += c >= 0x20 && c < 0x7F && c != '\\'
                     ? std::string(1, static_cast<char>(c))
                     : std::string("\\x") + hex[c >> 4] + hex[c & 15];
    return "\"" + shown + "\"";
}

// Texts of 0 to 300 characters; the characters the file gives a meaning
// to come often, at the start and the end too.
class HostileText {
  public:
    explicit HostileText(unsigned seed) : random_(seed) {}

    std::string Next() {
        static const char* const hostile[] = {"|", "!", "~", "\\", "\r", "\n", "\r\n",     ",",
                                              ".", ";", "$", "@",  "#",  " ",  "\xC3\xA9", "\xFF"};
        static const std::string plain = "abcXYZ0189_";
        auto pickHostile = [&] { return std::string(hostile[Below(std::size(hostile))]); };
        const int roll = Below(10);
        const std::size_t length = roll < 6   ? Below(13)
                                   : roll < 9 ? 13 + Below(48)
                                              : 61 + Below(240);
        std::string text = Below(4) == 0 ? pickHostile() : std::string();
        while (text.size() < length)
            text += Below(3) == 0 ? pickHostile() : std::string(1, plain[Below(plain.size())]);
        if (Below(5) == 0)
            text += pickHostile();
        return text;
    }

  private:
    int Below(std::size_t n) { return static_cast<int>(random_() % n); }
    std::mt19937 random_;
};

// One case's editors, made afresh so that no case leaves state behind.
struct Editors {
    explicit Editors(Workspace& w)
        : workspace(w), instance(w), display(w), box(w), ladder(w), table(w), speech(w), basic(w) {}
    Workspace& workspace;
    InstanceEditor instance;
    DisplayEditor display;
    TlmWorkbox box;
    LadderEditor ladder;
    TableEditor table;
    SpeechEditor speech;
    BasicInstanceEditor basic;
};

struct Operation {
    const char* name;
    // Puts the editor where the text goes; the project may change here.
    std::function<void(Editors&)> prepare;
    // Types or drops the text and stores it; false when anything refused.
    std::function<bool(Editors&, const std::string&)> apply;
};

bool NewAdder(Editors& e) {
    if (!e.instance.OpenNewInstance("Adder"))
        return false;
    e.instance.TypeName("A1");
    return true;
}

bool DisplayNamed(Editors& e) {
    return e.display.NewDisplay() && e.display.SetName("Pumps");
}

bool RxRow(Editors& e) {
    if (!e.box.Open(TlmArrayKind::Rx))
        return false;
    e.box.AddRow(AddRowChoice::Integer16);
    e.box.SelectCell(1, WorkboxColumn::Name);
    return true;
}

bool TableNamed(Editors& e) {
    return e.table.TypeName("Curve") && e.table.TypeReadSelector("Sel.Col");
}

bool SpeechField(Editors& e, bool (SpeechEditor::*type)(const std::string&),
                 const std::string& text) {
    return e.speech.TypeName("Alarm") && (e.speech.*type)(text) && e.speech.SaveReport();
}

void OpenCoilDialog(Editors& e) {
    e.ladder.OpenPage();
    e.ladder.ClickCell(CoilColumn, 0);
}

const std::vector<Operation>& Operations() {
    static const std::vector<Operation> operations = {
        {"instance name", nullptr,
         [](Editors& e, const std::string& t) {
             if (!e.instance.OpenNewInstance("Adder"))
                 return false;
             e.instance.TypeName(t);
             return e.instance.SaveInstance();
         }},
        {"instance value", nullptr,
         [](Editors& e, const std::string& t) {
             if (!NewAdder(e))
                 return false;
             e.instance.TypeValue(1, t);
             return e.instance.SaveInstance();
         }},
        {"instance dropped name", nullptr,
         [](Editors& e, const std::string& t) {
             return NewAdder(e) && e.instance.DropDbNameOnInput(2, t) && e.instance.SaveInstance();
         }},
        {"instance notes", nullptr,
         [](Editors& e, const std::string& t) {
             if (!NewAdder(e))
                 return false;
             e.instance.ToggleDescrNotes();
             e.instance.TypeNotes(t);
             return e.instance.SaveInstance();
         }},
        {"project notes", nullptr,
         [](Editors& e, const std::string& t) { return e.workspace.SetProjectNotes(t); }},
        {"display name", nullptr,
         [](Editors& e, const std::string& t) {
             return e.display.NewDisplay() && e.display.SetName(t) && e.display.Save();
         }},
        {"display trigger", nullptr,
         [](Editors& e, const std::string& t) {
             return DisplayNamed(e) && e.display.SetTrigger(t) && e.display.Save();
         }},
        {"display text", nullptr,
         [](Editors& e, const std::string& t) {
             return DisplayNamed(e) && e.display.SetText({t, "next @"}) &&
                    e.display.SetField(1, 1, "Tank.Level") && e.display.Save();
         }},
        {"display field", nullptr,
         [](Editors& e, const std::string& t) {
             return DisplayNamed(e) && e.display.SetText({"level @"}) &&
                    e.display.SetField(0, 1, t) && e.display.Save();
         }},
        {"received name", nullptr,
         [](Editors& e, const std::string& t) {
             return RxRow(e) && e.box.TypeName(t) && e.box.Save();
         }},
        {"sent name", nullptr,
         [](Editors& e, const std::string& t) {
             if (!e.box.Open(TlmArrayKind::Tx))
                 return false;
             e.box.AddRow(AddRowChoice::Float32);
             return e.box.DropName(1, t) && e.box.Save();
         }},
        {"ladder contact", [](Editors& e) { e.workspace.project.Ladder[0].CellKinds[1] = 2; },
         [](Editors& e, const std::string& t) { return e.ladder.DropName(1, 0, t); }},
        {"coil tag", OpenCoilDialog,
         [](Editors& e, const std::string& t) { return e.ladder.CoilDialogOk(t, "0", "0"); }},
        {"coil on delay", OpenCoilDialog,
         [](Editors& e, const std::string& t) { return e.ladder.CoilDialogOk("Pump", t, "0"); }},
        {"coil off delay", OpenCoilDialog,
         [](Editors& e, const std::string& t) { return e.ladder.CoilDialogOk("Pump", "0", t); }},
        {"table name", nullptr,
         [](Editors& e, const std::string& t) {
             return e.table.TypeName(t) && e.table.TypeReadSelector("Sel.Col") &&
                    e.table.SaveTable();
         }},
        {"table selector", nullptr,
         [](Editors& e, const std::string& t) {
             return e.table.TypeName("Curve") && e.table.TypeWriteSelector(t) &&
                    e.table.SaveTable();
         }},
        {"table row name", nullptr,
         [](Editors& e, const std::string& t) {
             return TableNamed(e) && e.table.TypeCell(1, ColumnRowName, t) && e.table.SaveTable();
         }},
        {"table value", nullptr,
         [](Editors& e, const std::string& t) {
             return TableNamed(e) && e.table.TypeCell(2, FirstValueColumn, t) &&
                    e.table.SaveTable();
         }},
        {"table dropped input", nullptr,
         [](Editors& e, const std::string& t) {
             return TableNamed(e) && e.table.DropOnCell(1, ColumnWtInput, t) && e.table.SaveTable();
         }},
        {"report name", nullptr,
         [](Editors& e, const std::string& t) {
             return e.speech.TypeName(t) && e.speech.SaveReport();
         }},
        {"report trigger", nullptr,
         [](Editors& e, const std::string& t) {
             return SpeechField(e, &SpeechEditor::TypeTrigger, t);
         }},
        {"report line select", nullptr,
         [](Editors& e, const std::string& t) {
             return SpeechField(e, &SpeechEditor::TypeLineSelect, t);
         }},
        {"speech line enable", nullptr,
         [](Editors& e, const std::string& t) {
             return e.speech.TypeName("Alarm") && e.speech.DropVariable(1, EnableColumn, t) &&
                    e.speech.SaveReport();
         }},
        {"spoken variable", nullptr,
         [](Editors& e, const std::string& t) {
             return e.speech.TypeName("Alarm") && e.speech.DropVariable(1, 3, t) &&
                    e.speech.SaveReport();
         }},
        {"speech format", nullptr,
         [](Editors& e, const std::string& t) {
             return e.speech.TypeName("Alarm") && e.speech.DropVariable(1, 3, "Tank.Level") &&
                    e.speech.ClickCell(1, 3) && e.speech.TypeFormat(t) &&
                    e.speech.CloseFormatBox() && e.speech.SaveReport();
         }},
        {"phrase", nullptr,
         [](Editors& e, const std::string& t) { return SetPhraseText(e.workspace, 40, t); }},
        {"BASIC instance name", nullptr,
         [](Editors& e, const std::string& t) {
             if (!e.basic.OpenForProj("PUMP.BAS"))
                 return false;
             e.basic.TypeName(t);
             return e.basic.Save();
         }},
        {"BASIC instance value", nullptr,
         [](Editors& e, const std::string& t) {
             if (!e.basic.OpenForProj("PUMP.BAS"))
                 return false;
             e.basic.TypeName("P1");
             e.basic.TypeValue(1, t);
             return e.basic.Save();
         }},
    };
    return operations;
}

unsigned EnvNumber(const char* name, unsigned fallback) {
    const char* text = std::getenv(name);
    return text && *text ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : fallback;
}

class EditorsRoundTrip : public ::testing::Test {
  protected:
    void SetUp() override {
        StartOptions options = test::SmallLibraryStart(dir.Folder());
        options.BasicFolder = dir.Folder();
        workspace.Start(options);
        ASSERT_EQ(WriteTextLines(dir.File("PUMP.BAS"),
                                 {"#INPUTS", "Flow:FLOW", "#OUTPUTS", "Efficiency:EFF", "#CODE"}),
                  "");
    }

    // A new project holding, besides the System instance, a speech report
    // (phrase texts are kept only with one) and the rows the ladder keeps.
    void ResetToBase() {
        ResetProject(workspace.project, workspace.library);
        workspace.project.SpeechReports = {"~Spare||||||1"};
        workspace.project.ProjectChanged = false;
        workspace.project.FileName = dir.File("round.tvr");
    }

    // Saves and reopens; what came back, or an explanation of what did not.
    std::string SaveAndReopen(const std::vector<std::string>& saved) {
        if (!workspace.SaveProject())
            return "the project did not save";
        const std::string path = workspace.project.FileName;
        if (!workspace.OpenProjectPath(path) || workspace.project.FileName != path)
            return "the saved project did not open";
        return FirstDifference(saved, StoredFields(workspace.project));
    }

    static std::string FirstDifference(const std::vector<std::string>& expected,
                                       const std::vector<std::string>& actual) {
        for (std::size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
            const std::string want = i < expected.size() ? expected[i] : "(nothing)";
            const std::string got = i < actual.size() ? actual[i] : "(nothing)";
            if (want != got)
                return "wanted " + Printable(want) + ", got " + Printable(got);
        }
        return {};
    }

    test::TemporaryFolder dir;
    test::ScriptedUi ui;
    Workspace workspace{ui, [] { return std::string("01/02/2026 10:00:00"); }};
};

TEST_F(EditorsRoundTrip, AcceptedTextsComeBackAndRefusedOnesChangeNothing) {
    const unsigned seed = EnvNumber("K7_ROUND_TRIP_SEED", 20261207);
    const unsigned cases = EnvNumber("K7_ROUND_TRIP_CASES", 3000);
    RecordProperty("seed", std::to_string(seed));
    HostileText texts(seed);
    std::mt19937 pick(seed ^ 0x5EEDu);
    std::map<std::string, int> accepted;
    std::vector<std::string> failures;
    const std::vector<Operation>& operations = Operations();
    for (unsigned n = 0; n < cases; ++n) {
        const Operation& op = operations[pick() % operations.size()];
        const std::string text = texts.Next();
        ResetToBase();
        Editors editors(workspace);
        if (op.prepare)
            op.prepare(editors);
        const std::vector<std::string> before = StoredFields(workspace.project);
        ui.Errors.clear();
        std::string failure;
        if (op.apply(editors, text)) {
            ++accepted[op.name];
            failure = SaveAndReopen(StoredFields(workspace.project));
        } else {
            failure = FirstDifference(before, StoredFields(workspace.project));
            // Only an empty drop is passed over without a word.
            if (failure.empty() && ui.Errors.empty() && !text.empty())
                failure = "refused without a message";
        }
        if (!failure.empty() && failures.size() < 10)
            failures.push_back("case " + std::to_string(n) + ", " + op.name + " " +
                               Printable(text) + ": " + failure);
    }
    for (const Operation& op : operations)
        EXPECT_GT(accepted[op.name], 0) << op.name << " never accepted a text";
    std::string report;
    for (const std::string& failure : failures)
        report += "\n  " + failure;
    EXPECT_TRUE(failures.empty()) << "seed " << seed << ":" << report;
}

} // namespace
