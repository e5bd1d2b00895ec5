#include "workspace/databases.h"

#include "workspace/basic_module_record.h"
#include "workspace/linescan.h"
#include "workspace/module_library.h"
#include "workspace/record_list.h"
#include "workspace/table_record.h"

namespace k7 {

std::vector<std::string>& DatabaseLists::List(DbType type) {
    switch (type) {
    case DbType::Float:
        return Float;
    case DbType::Integer:
        return Integer;
    case DbType::Status:
        return Status;
    case DbType::Tx:
        return Tx;
    case DbType::Rx:
        return Rx;
    case DbType::String:
        return String;
    }
    return Float;
}

const std::vector<std::string>& DatabaseLists::List(DbType type) const {
    return const_cast<DatabaseLists*>(this)->List(type);
}

std::string TxDatabaseName(const TTlmRow& row) {
    return "P" + row[TlmPort] + "D" + row[TlmDest] + "W" + row[TlmWord] + "B" + row[TlmBit] + "." +
           row[TlmName];
}

static void AddModuleOutputs(Project& project, const ModuleLibrary& library) {
    DatabaseLists& db = project.Databases;
    for (const TModuleInst& instance : project.Modules) {
        const TModuleDef& def = library.Module(instance.ModuleNumber);
        for (int k = def.FirstOutputItem(); k <= def.LastItem() && k <= MaxModuleItems; ++k) {
            const std::string& name = instance.Values[k];
            switch (def.Items[k].Letter(1)) {
            case 'F':
                db.Float.push_back(name);
                break;
            case 'I':
                db.Integer.push_back(name);
                break;
            case 'D':
                db.Status.push_back(name);
                break;
            case 'S':
                db.String.push_back(name);
                break;
            case 'T':
                ++db.TxOutputCount;
                break;
            case 'A':
                ++db.RxOutputCount;
                break;
            default:
                break;
            }
        }
    }
}

static void AddTelemetryNames(Project& project) {
    for (int r = 1; r < project.TxArray.RowCount(); ++r) {
        const TTlmRow& row = project.TxArray.Rows[r];
        if (!row[TlmType].empty() && !row[TlmName].empty())
            project.Databases.Tx.push_back(TxDatabaseName(row));
    }
    for (int r = 1; r < project.RxArray.RowCount(); ++r) {
        const TTlmRow& row = project.RxArray.Rows[r];
        if (!row[TlmType].empty() && !row[TlmName].empty())
            project.Databases.Rx.push_back(row[TlmName]);
    }
}

static void AddLadderCoils(Project& project) {
    for (int r = 0; r < project.LadderRows && r < LadderStorageRows; ++r)
        if (!project.Ladder[r].CellNames[LadderColumns].empty())
            project.Databases.Status.push_back(project.Ladder[r].CellNames[LadderColumns]);
}

// Table row lines: TYPE | ROW NAME | ...; each named row's output is ROW
// NAME + ".TBL" (an unnamed row has none).
static void AddTableOutputs(Project& project) {
    DatabaseLists& db = project.Databases;
    for (const std::string& line : project.Tables) {
        if (IsRecordHeader(line))
            continue;
        const TableRow row = ParseTableRow(line, 0);
        if (row.Name.empty())
            continue;
        const std::string name = TableOutputName(row.Name);
        const std::string& type = row.Type;
        if (type == "Integer")
            db.Integer.push_back(name);
        else if (type == "Float")
            db.Float.push_back(name);
        else if (type == "String")
            db.String.push_back(name);
        else if (type == "Status")
            db.Status.push_back(name);
    }
}

static void AddSpeechReportNames(Project& project) {
    DatabaseLists& db = project.Databases;
    for (const std::string& report : RecordNames(project.SpeechReports)) {
        db.Status.push_back(report + ".DunTrg");
        db.Status.push_back(report + ".ChgTrg");
        db.Status.push_back(report + ".HavAlrm");
        db.Integer.push_back(report + ".Seq");
    }
}

// BASIC module lines: name | source | fields... | $start | $end; an output
// field is its type letter followed by the database name.
static void AddBasicOutputs(Project& project) {
    DatabaseLists& db = project.Databases;
    for (const std::string& text : project.BasicModules) {
        const std::optional<BasicInstanceLine> line = ParseBasicInstanceLine(text);
        if (!line)
            continue;
        for (const std::string& field : line->Fields) {
            if (field.size() < 2)
                continue;
            const std::string name = field.substr(1);
            switch (field[0]) {
            case 'f':
                db.Float.push_back(name);
                break;
            case 'i':
            case 'm':
                db.Integer.push_back(name);
                break;
            case 'n':
            case 't':
                db.Status.push_back(name);
                break;
            case 's':
                db.String.push_back(name);
                break;
            default:
                break; // "I": an input
            }
        }
    }
}

void RebuildInstanceLists(Project& project, const ModuleLibrary& library) {
    for (auto& list : project.InstanceLists)
        list.clear();
    for (int i = 0; i < project.ModuleCount(); ++i) {
        const TModuleInst& instance = project.Modules[i];
        if (instance.Category >= 1 && instance.Category <= 5)
            project.InstanceLists[instance.Category].push_back(
                {instance.Name + "..." + library.Module(instance.ModuleNumber).Name, i});
    }
}

void RebuildDatabases(Project& project, const ModuleLibrary& library) {
    project.Databases = DatabaseLists{};
    AddModuleOutputs(project, library);
    AddTelemetryNames(project);
    AddLadderCoils(project);
    AddTableOutputs(project);
    AddSpeechReportNames(project);
    AddBasicOutputs(project);
    RebuildInstanceLists(project, library);
}

} // namespace k7
