#include "tests/docgen/doc_fixture.h"

#include "workspace/databases.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace k7::test {

const ModuleLibrary& DocLibrary() {
    static const ModuleLibrary library = [] {
        const std::vector<std::string> lines = {
            "1|1|Analog input 4-20|AI.|ICSC.Channel #.|ICSC.Card #.|ICSC.Cage #.|"
            "FCSC.Value at 4 mA.|FCSC.Value at 20 mA.|FOSS.Scaled value.Value|"
            "DOSA.Low alarm.LoAlm|\\",
            "2|1|Digital input DC|DI.|ICSC.Channel #.|ICSC.Card #.|ICSC.Cage #.|"
            "DOSS.State.State|\\",
            "23|1|DiginCount|Count.|ICSC.Channel #.|ICSC.Card #.|ICSC.Cage #.|"
            "IOSS.Count.Count|\\",
            "8|1|Port setup|Port.|ICSC.Port name.|ICSC.Baud.|ICSC.Parity.|\\",
            "20|3|PID|Loop.|FISS.Process value.|FISS.Setpoint.|FCSC.Proportional gain.|"
            "FCSC.Integral time.|FCSC.Derivative time.|FOSS.Output.Out|\\",
            "57|1|System|Unit.|ICSC.Unit number.|ICSC.Scan rate.|ICSC.Logon timeout.|"
            "ICSC.Password.|ICSC.Site name.|ICSC.Modem init.|ICSC.Dial prefix.|ICSC.Retries.|"
            "ICSC.Baud rate.|ICSC.Clock trim.|DOSS.Boot trigger.BootTrg|"
            "DOSS.Seconds trigger.SecTrg|DOSS.Logged on.Logon|\\",
            "154|1|PulseDurationIn|Pulse.|ICSC.Channel #.|ICSC.Card #.|ICSC.Cage #.|"
            "FOSS.Duration.Dur|\\",
            "155|1|PulseDurationOut|Pulse.|ICSC.Channel #.|ICSC.Card #.|ICSC.Cage #.|"
            "FISS.Duration.|DOSS.Active.On|\\",
        };
        return ParseModuleLibrary(lines, "K7MODDEF.TXT").Library;
    }();
    return library;
}

const std::vector<std::string>& DocIntroLines() {
    static const std::vector<std::string> lines = {
        "!B Operating instructions, K7",
        "K7 INSTRUCTIONS",
        "Keep this file with the unit.",
        "!C Operating instructions, K3",
        "K3 INSTRUCTIONS",
        "!S Settings",
        "SETTINGS:",
        "!I Cards",
        "CARDS:",
        "!J Channels",
        "CHANNELS:",
        "!M Modules",
        "MODULES:",
        "!",
        "!D Displays",
        "DISPLAYS:",
        "!T Telemetry",
        "TELEMETRY:",
        "!L Ladder",
        "LADDER:",
        "!X Tables",
        "TABLES:",
        "!V Speech",
        "SPEECH:",
    };
    return lines;
}

TModuleInst MakeInstance(const std::string& name, int category, int moduleNumber,
                         const std::vector<std::string>& values) {
    TModuleInst instance;
    instance.Name = name;
    instance.Category = category;
    instance.ModuleNumber = moduleNumber;
    for (size_t k = 0; k < values.size(); ++k)
        instance.Values[k + 1] = values[k];
    RebuildOutputValues(instance, DocLibrary());
    return instance;
}

Project NewDocProject() {
    Project project;
    ResetProject(project, DocLibrary());
    project.FileName = "C:\\K7\\Projects\\NEW.tvr";
    return project;
}

static TTlmRow Row(std::vector<std::string> cells) {
    TTlmRow row;
    for (size_t c = 0; c < cells.size() && c < row.size(); ++c)
        row[c] = cells[c];
    return row;
}

Project SmallDocProject() {
    Project project;
    ResetProject(project, DocLibrary());
    project.FileName = "/work/plant/PLANT.tvr";
    project.Notes = "Check pumps weekly.\r\nCall the operator.";

    project.Cards.At(1, 1) = 7;
    project.Cards.At(1, 2) = 5;
    project.Cards.At(1, 3) = 3;
    project.Cards.At(2, 8) = 8;

    project.Modules.push_back(MakeInstance("PORT1", 1, 8, {"COM1", "9600", "None"}));
    project.Modules.push_back(MakeInstance("LEVEL", 1, 1, {"1", "8", "2", "0.0", "100.0"}));
    project.Modules.push_back(MakeInstance("PUMPRUN", 1, 2, {"3", "1", "1"}));
    project.Modules.push_back(MakeInstance("FLOWPULSE", 1, 154, {"1", "1", "1"}));
    project.Modules.push_back(MakeInstance("DOSER", 1, 155, {"4", "2", "1", "FLOWPULSE.Dur"}));
    TModuleInst pid = MakeInstance("PUMPCTL", 3, 20, {"LEVEL.Value", "12.5", "2.0", "30", "0"});
    pid.Notes = "Keeps the level\r\nat the setpoint.\r\n";
    project.Modules.push_back(pid);

    project.Displays = {
        "~MAIN|1|0|2|System.SecTrg|",
        "Level @@@.@ ft|LEVEL.Value|2|3|4|5|6|7|8|9|10|",
        "Flow @@.@ Out @@@|FLOWPULSE.Dur|PUMPCTL.Out|3|4|5|6|7|8|9|10|",
        "~ALARMS|1|1|3|PUMPRUN.State|",
        "Pump @|PUMPRUN.State|2|3|4|5|6|7|8|9|10|",
    };

    project.TxArray.Rows.push_back(Row({"4", "Us", "7", "1", "0", "LEVEL.Value", "1.0", "Float"}));
    project.TxArray.Rows.push_back(Row({"4", "Us", "7", "2", "0", "PUMPRUN.State", "", "Status"}));
    project.TxArray.Rows.push_back(Row({"5", "Us", "9", "1", "3", "PUMPCTL.Out", "10.0", "Float"}));
    project.RxArray.Rows.push_back(Row({"1", "5", "Us", "1", "0", "REMOTE1", "", "Integer"}));
    project.RxArray.Rows.push_back(Row({"1", "5", "Us", "2", "0", "REMOTE2", "10.0", "Float"}));

    TLadderRung& first = project.Ladder[0];
    first.CellKinds = {0, 8, 2, 4, 2, 2, 2, 2, 9};
    first.CellNames[1] = "PUMPRUN.State";
    first.CellNames[8] = "PUMP1.Coil";
    first.OnDelay = "5";
    first.OffDelay = "PUMPCTL.Out";
    TLadderRung& second = project.Ladder[1];
    second.CellKinds = {0, 7, 2, 6, 0, 0, 0, 0, 0};
    second.CellNames[1] = "LEVEL.LoAlm";

    project.Tables = {
        "~CURVE|LEVEL.Value|MODE.TBL|PUMPRUN.State|2|3|8|0|$0|$0|",
        "Float|GAIN||1.5|2.5||GAIN.TBL|",
        "Integer|MODE|FLOWPULSE.Dur|1|3|PUMPCTL.Out|MODE.TBL|",
        "~alpha|MODE.TBL|||1|1|4|0|$0|$0|",
        "String|LABEL||Hi|LABEL.TBL|",
    };

    project.SpeechPhrases[40] = "Level is";
    project.SpeechPhrases[41] = "X";
    project.SpeechReports = {
        "~LEVELRPT|PUMPRUN.State|DOSER.On|||LEVEL.LoAlm|3",
        "PUMPRUN.State;@|40|LEVEL.Value;@@@.@|6||||||||||||",
        "~SHORT||||||3",
        "|2|3|",
        "x",
    };

    project.BasicModules = {"BASPUMP|PUMP.BAS|ILEVEL.Value|I5|iBASPUMP.COUNT|fBASPUMP.SPEED|$0|$0"};

    RebuildDatabases(project, DocLibrary());
    return project;
}

} // namespace k7::test
