#include "workspace/project_file.h"

#include "workspace/linescan.h"
#include "workspace/module_library.h"
#include "workspace/text_file.h"

namespace k7 {

// ---------------------------------------------------------------- writing

static std::string ModuleLine(const TModuleInst& m, const ModuleLibrary& library) {
    std::string line = std::to_string(m.Category) + "|" + std::to_string(m.ModuleNumber) + "," +
                       std::to_string(m.Aux1) + "," + std::to_string(m.Aux2) + "," +
                       EncodeNotes(m.Notes) + "|" + m.Name;
    if (m.ModuleNumber < 9000) {
        const TModuleDef& def = library.Module(m.ModuleNumber);
        int last = def.LastItem();
        // A type missing from this workstation's library still keeps the
        // values it was read with, so that saving does not lose them.
        if (!def.Defined())
            for (int k = 1; k <= MaxModuleItems; ++k)
                if (!m.Values[k].empty())
                    last = k;
        for (int k = 1; k <= last && k <= MaxModuleItems; ++k)
            line += "|" + m.Values[k];
    }
    line += "|$" + HexText(m.RamStart) + "|$" + HexText(m.RamEnd);
    return line;
}

static void AddTlmRows(std::vector<std::string>& lines, const TTlmArray& array) {
    for (int r = 1; r < array.RowCount(); ++r) {
        const TTlmRow& row = array.Rows[r];
        if (row[TlmPort].empty())
            continue;
        std::string line;
        for (const auto& cell : row)
            line += cell + "|";
        lines.push_back(line);
    }
}

static void AddLadderRows(std::vector<std::string>& lines, const Project& project) {
    for (int r = 0; r < project.LadderRows && r < LadderStorageRows; ++r) {
        const TLadderRung& rung = project.Ladder[r];
        bool used = false;
        for (int c = 1; c <= LadderColumns; ++c)
            used = used || rung.CellKinds[c] > 1;
        if (!used)
            continue;
        std::string line;
        for (int c = 1; c <= LadderColumns; ++c)
            line += std::to_string(rung.CellKinds[c]) + "|";
        for (int c = 1; c <= LadderColumns; ++c)
            line += rung.CellNames[c] + "|";
        line += rung.OnDelay + "|" + rung.OffDelay + "|$" + HexText(rung.RungWord) + "|";
        lines.push_back(line);
    }
}

static void AddSpeech(std::vector<std::string>& lines, const Project& project) {
    if (project.SpeechReports.empty())
        return;
    // Phrases the file leaves out read back as the presets, so the preset
    // rows are always written, empty ones as empty lines.
    int last = PhraseCount;
    while (last > static_cast<int>(PresetPhrases.size()) && project.SpeechPhrases[last].empty())
        --last;
    for (int p = 1; p <= last; ++p)
        lines.push_back(project.SpeechPhrases[p]);
    lines.insert(lines.end(), project.SpeechReports.begin(), project.SpeechReports.end());
}

std::vector<std::string> ProjectFileLines(const Project& project, const ModuleLibrary& library,
                                          const std::string& dateText) {
    std::vector<std::string> lines;
    lines.push_back(std::string("!Unit type|LCD display choice|") + ProgramVersion + "|" +
                    dateText + "|" + EncodeNotes(project.Notes));
    lines.push_back(std::string(project.Unit == UnitType::K3 ? "3" : "7") + "|" +
                    (project.Lcd == LcdType::Small ? "1" : "0"));
    lines.push_back("!Card Configuration...");
    for (int cage = 1; cage <= CageCount; ++cage) {
        std::string line;
        for (int slot = 0; slot < SlotCount; ++slot)
            line += std::to_string(project.Cards.At(cage, slot)) + "|";
        lines.push_back(line);
    }
    lines.push_back("!Module list...");
    for (const TModuleInst& m : project.Modules)
        lines.push_back(ModuleLine(m, library));
    lines.push_back("!Display definition");
    lines.insert(lines.end(), project.Displays.begin(), project.Displays.end());
    lines.push_back("!TX telemetry definition");
    AddTlmRows(lines, project.TxArray);
    lines.push_back("!RX telemetry definition");
    AddTlmRows(lines, project.RxArray);
    lines.push_back("!Ladder definition");
    AddLadderRows(lines, project);
    lines.push_back("!Tables");
    lines.insert(lines.end(), project.Tables.begin(), project.Tables.end());
    lines.push_back("!Speech");
    AddSpeech(lines, project);
    lines.push_back("!Basic");
    lines.insert(lines.end(), project.BasicModules.begin(), project.BasicModules.end());
    lines.push_back("!End of job");
    return lines;
}

std::string WriteProjectFile(const std::string& path, const Project& project,
                             const ModuleLibrary& library, const std::string& dateText) {
    return WriteTextLines(path, ProjectFileLines(project, library, dateText));
}

// ---------------------------------------------------------------- reading

namespace {

struct ReadFailure {
    std::string Message;
};

bool StartsWithBang(const std::string& line) {
    return !line.empty() && line[0] == '!';
}

class ProjectReader {
  public:
    ProjectReader(const std::vector<std::string>& lines, const ModuleLibrary& library,
                  Project& project)
        : scan_(lines), library_(library), project_(project) {}

    void Read() {
        ReadHeader();
        ReadUnitLine();
        ReadCards();
        ReadModules();
        ReadDisplays();
        ReadTelemetry(project_.TxArray);
        ReadTelemetry(project_.RxArray);
        ReadLadder();
        // Older files end after any of the sections from "!Tables" on.
        if (EndOfJob() || !terminated_)
            return;
        ReadTables();
        if (EndOfJob() || !terminated_)
            return;
        ReadSpeech();
        if (EndOfJob() || !terminated_)
            return;
        ReadBasic();
    }

  private:
    // The next line; past the end the file is cut short. Sections up to the
    // ladder must all be present.
    void RequireLine() {
        if (!scan_.NextFileLine())
            throw ReadFailure{NotAProjectMessage};
    }

    int32_t Decimal(const std::string& token, const char* what) {
        int32_t value = 0;
        if (!ParseDecimal(token, value))
            throw ReadFailure{"Line " + std::to_string(scan_.LineNumber()) +
                              " of the project file: " + what + " \"" + token.substr(0, 40) +
                              "\" is not a number."};
        return value;
    }

    bool EndOfJob() const { return terminator_.size() > 1 && terminator_[1] == 'E'; }

    void ReadHeader() {
        RequireLine();
        scan_.TokenToBar();
        if (scan_.ScanToken != "!Unit type" && scan_.ScanToken != "!LCD display choice")
            throw ReadFailure{NotAProjectMessage};
        scan_.TokenToBar();
        scan_.TokenToBar();
        project_.SavedByVersion = scan_.ScanToken.size() >= 3 ? scan_.ScanToken : "";
        scan_.TokenToBar();
        project_.SavedOnDate = scan_.ScanToken.size() >= 3 ? scan_.ScanToken : "";
        // Notes of any length are kept, one- and two-character notes too.
        scan_.TokenToBar();
        project_.Notes = DecodeNotes(scan_.ScanToken);
    }

    void ReadUnitLine() {
        RequireLine();
        scan_.TokenToBar();
        project_.Unit =
            Decimal(scan_.ScanToken, "the unit code") == 3 ? UnitType::K3 : UnitType::K7;
        scan_.TokenToBar();
        int32_t lcd = scan_.ScanToken.empty() ? 0 : Decimal(scan_.ScanToken, "the LCD code");
        project_.Lcd = lcd == 1 ? LcdType::Small : LcdType::Large;
    }

    void ReadCards() {
        RequireLine(); // "!Card Configuration..."
        for (int cage = 1; cage <= CageCount; ++cage) {
            RequireLine();
            if (StartsWithBang(scan_.ScanLine))
                return; // the "!Module list..." header is consumed
            for (int slot = 0; slot < SlotCount; ++slot) {
                scan_.TokenToBar();
                project_.Cards.At(cage, slot) = Decimal(scan_.ScanToken, "the card code");
            }
        }
        RequireLine();
        if (!StartsWithBang(scan_.ScanLine))
            scan_.StepBack();
    }

    void ReadModules() {
        project_.Modules.clear();
        for (;;) {
            RequireLine();
            if (StartsWithBang(scan_.ScanLine))
                break;
            if (project_.ModuleCount() >= MaxInstances)
                throw ReadFailure{"The project file holds more than " +
                                  std::to_string(MaxInstances) +
                                  " module instances; it cannot be opened."};
            project_.Modules.push_back(ReadModuleLine());
        }
    }

    TModuleInst ReadModuleLine() {
        TModuleInst m;
        scan_.TokenToBar();
        m.Category = Decimal(scan_.ScanToken, "the module category");
        scan_.TokenToBar();
        LineScanner sub;
        sub.SetLine(scan_.ScanToken);
        sub.TokenToComma();
        m.ModuleNumber = Decimal(sub.ScanToken, "the module number");
        sub.TokenToComma();
        m.Aux1 = sub.ScanToken.empty() ? 0 : Decimal(sub.ScanToken, "an auxiliary number");
        sub.TokenToComma();
        m.Aux2 = sub.ScanToken.empty() ? 0 : Decimal(sub.ScanToken, "an auxiliary number");
        m.Notes = sub.AtLineEnd() ? "" : DecodeNotes(sub.ScanLine.substr(sub.ScanPos - 1));
        scan_.TokenToBar();
        m.Name = scan_.ScanToken.substr(0, MaxInstanceName);

        const TModuleDef& def = library_.Module(m.ModuleNumber);
        const int inputs = def.InputCount + def.ConstantCount;
        bool firstAddress = true;
        for (int k = 1; !scan_.AtLineEnd(); ++k) {
            scan_.TokenToBar();
            const std::string& token = scan_.ScanToken;
            if (token.size() > 1 && token[0] == '$' && k > inputs) {
                (firstAddress ? m.RamStart : m.RamEnd) = HexValue(token);
                firstAddress = false;
            } else if (k <= MaxModuleItems) {
                m.Values[k] = token.substr(0, MaxValueWidth);
            }
            if (k + 1 <= MaxModuleItems)
                m.Values[k + 1].clear();
        }
        if (def.Defined())
            RebuildOutputValues(m, library_);
        return m;
    }

    // Displays and tables end at a line longer than one character that
    // begins with "!"; the end of the file also ends them.
    void ReadVerbatim(std::vector<std::string>& target) {
        terminated_ = false;
        while (scan_.NextFileLine()) {
            if (scan_.ScanLine.size() > 1 && StartsWithBang(scan_.ScanLine)) {
                terminator_ = scan_.ScanLine;
                terminated_ = true;
                return;
            }
            target.push_back(scan_.ScanLine);
        }
    }

    void ReadDisplays() {
        ReadVerbatim(project_.Displays);
        if (!terminated_)
            throw ReadFailure{NotAProjectMessage};
    }

    void ReadTelemetry(TTlmArray& array) {
        for (;;) {
            RequireLine();
            if (StartsWithBang(scan_.ScanLine))
                return;
            TTlmRow row;
            for (auto& cell : row) {
                scan_.TokenToBar();
                cell = scan_.ScanToken;
            }
            array.Rows.push_back(row);
        }
    }

    void ReadLadder() {
        int rows = 0;
        for (;;) {
            RequireLine();
            if (StartsWithBang(scan_.ScanLine))
                break;
            if (rows >= LadderMaxRows)
                throw ReadFailure{"The project file holds more than " +
                                  std::to_string(LadderMaxRows) +
                                  " ladder rows; it cannot be opened."};
            TLadderRung& rung = project_.Ladder[rows++];
            for (int c = 1; c <= LadderColumns; ++c) {
                scan_.TokenToBar();
                rung.CellKinds[c] = Decimal(scan_.ScanToken, "a ladder cell kind");
            }
            for (int c = 1; c <= LadderColumns; ++c) {
                scan_.TokenToBar();
                rung.CellNames[c] = scan_.ScanToken;
            }
            scan_.TokenToBar();
            rung.OnDelay = scan_.ScanToken.substr(0, 40);
            scan_.TokenToBar();
            rung.OffDelay = scan_.ScanToken.substr(0, 40);
            scan_.TokenToBar();
            rung.RungWord = !scan_.ScanToken.empty() && scan_.ScanToken[0] == '$'
                                ? HexValue(scan_.ScanToken)
                                : 0;
        }
        terminator_ = scan_.ScanLine;
        terminated_ = true;
        project_.LadderRows = std::min(LadderMaxRows, std::max(LadderNewRows, rows + 2));
    }

    void ReadTables() { ReadVerbatim(project_.Tables); }

    void ReadSpeech() {
        ResetSpeechPhrases(project_);
        terminated_ = false;
        int phraseRow = 1;
        bool reportMode = false;
        while (scan_.NextFileLine()) {
            const std::string& line = scan_.ScanLine;
            if (line.size() >= 2) {
                if (line[0] == '!') {
                    terminator_ = line;
                    terminated_ = true;
                    return;
                }
                if (line[0] == '~')
                    reportMode = true;
                if (reportMode)
                    project_.SpeechReports.push_back(line);
                else if (phraseRow <= PhraseCount)
                    project_.SpeechPhrases[phraseRow++] = line;
            } else if (!reportMode) {
                if (phraseRow <= PhraseCount)
                    project_.SpeechPhrases[phraseRow].clear();
                ++phraseRow;
            }
        }
    }

    void ReadBasic() {
        terminated_ = false;
        while (scan_.NextFileLine()) {
            if (StartsWithBang(scan_.ScanLine)) {
                terminator_ = scan_.ScanLine;
                terminated_ = true;
                return;
            }
            if (scan_.ScanLine.size() > 1)
                project_.BasicModules.push_back(scan_.ScanLine);
        }
    }

    LineScanner scan_;
    const ModuleLibrary& library_;
    Project& project_;
    std::string terminator_;
    bool terminated_ = false;
};

} // namespace

std::string ProjectFileSizeProblem(const std::vector<std::string>& lines) {
    if (lines.size() > MaxProjectFileLines)
        return "The project file has more than " + std::to_string(MaxProjectFileLines) +
               " lines: it is not read.";
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].size() > MaxProjectLineLength)
            return "Line " + std::to_string(i + 1) + " of the project file is longer than " +
                   std::to_string(MaxProjectLineLength) + " characters: the file is not read.";
    return {};
}

ProjectRead ReadProjectFile(const std::vector<std::string>& lines, const ModuleLibrary& library,
                            Project& project) {
    ProjectRead result;
    if (const std::string problem = ProjectFileSizeProblem(lines); !problem.empty()) {
        result.Message = problem;
        return result;
    }
    try {
        ProjectReader(lines, library, project).Read();
        result.Ok = true;
    } catch (const ReadFailure& failure) {
        result.Message = failure.Message;
    }
    return result;
}

} // namespace k7
