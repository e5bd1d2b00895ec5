#include "workspace/module_library.h"

#include "workspace/linescan.h"
#include "workspace/text_file.h"

#include <algorithm>

namespace k7 {

ModuleLibrary::ModuleLibrary() : table_(MaxModuleNumber + 1) {}

const TModuleDef& ModuleLibrary::Module(int number) const {
    if (number < 1 || number > MaxModuleNumber)
        return empty_;
    return table_[number];
}

TModuleDef& ModuleLibrary::MutableModule(int number) {
    if (number < 1 || number > MaxModuleNumber) {
        empty_ = TModuleDef{};
        return empty_;
    }
    return table_[number];
}

int ModuleLibrary::FindModuleByName(const std::string& name) const {
    for (int number = 1; number <= TopNumber && number <= MaxModuleNumber; ++number)
        if (table_[number].Name == name)
            return number;
    return 0;
}

namespace {

// One assembled record with the line it started on, for messages.
struct RawRecord {
    std::string Text;
    size_t FirstLine = 0;
};

std::vector<RawRecord> AssembleRecords(const std::vector<std::string>& lines, bool& unfinished) {
    std::vector<RawRecord> records;
    RawRecord current;
    bool open = false;
    size_t bars = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (!open) {
            current = RawRecord{{}, i + 1};
            bars = 0;
            open = true;
        }
        bool hasBackslash = false;
        for (char c : line) {
            if (c == '\\') {
                hasBackslash = true;
                continue;
            }
            if (c == '|')
                ++bars;
            current.Text += c;
        }
        // Keeps the line breaks of a multi-line description (the fourth field).
        if (bars == 3 && !hasBackslash)
            current.Text += "\r\n";
        if (hasBackslash) {
            records.push_back(current);
            open = false;
        }
    }
    unfinished = open && current.Text.find_first_not_of(" \t\r\n") != std::string::npos;
    return records;
}

void ParseItem(const std::string& field, TModuleItemDef& item) {
    item = TModuleItemDef{};
    size_t start;
    if (field[3] == '.') {
        item.Code = field.substr(0, 3) + "S";
        start = 4;
    } else {
        item.Code = field.substr(0, 4);
        start = (field.size() > 4 && field[4] == '.') ? 5 : 4;
    }
    std::string collected;
    for (size_t i = start; i < field.size(); ++i) {
        if (field[i] == '.') {
            item.Prompt = collected.substr(0, 40);
            collected.clear();
        } else {
            collected += field[i];
        }
    }
    item.Suffix = collected.substr(0, 20);
}

class RecordParser {
  public:
    RecordParser(const std::string& fileName, std::vector<std::string>& messages)
        : fileName_(fileName), messages_(messages) {}

    // Parses one record into the library; false (with a message) when the
    // record was refused.
    bool Parse(const RawRecord& record, ModuleLibrary& library) {
        std::vector<std::string> fields;
        std::string field;
        for (char c : record.Text) {
            if (c == '|') {
                fields.push_back(field);
                field.clear();
            } else {
                field += c;
            }
        }
        if (fields.size() < 2)
            return Refuse(record, "is not a module record");

        int32_t number = 0;
        if (!ParseDecimal(fields[0], number))
            return Refuse(record,
                          "has a module number that is not a number: \"" + fields[0] + "\"");
        if (number < 1 || number > MaxModuleNumber)
            return Refuse(record, "has module number " + fields[0] + ", outside 1..200");

        TModuleDef def;
        if (!ParseTypeAndParams(fields[1], def, record))
            return false;
        if (fields.size() > 2)
            def.Name = fields[2].substr(0, 40);
        if (fields.size() > 3)
            def.Description = fields[3];
        for (size_t f = 4; f < fields.size() && f < 4 + MaxModuleItems; ++f) {
            const std::string& text = fields[f];
            if (text.size() < 4)
                continue; // too short to hold a code: an absent item
            TModuleItemDef& item = def.Items[f - 3];
            ParseItem(text, item);
            switch (item.Code[1]) {
            case 'I':
                ++def.InputCount;
                break;
            case 'O':
                ++def.OutputCount;
                break;
            case 'C':
                ++def.ConstantCount;
                break;
            default:
                break;
            }
        }
        library.MutableModule(number) = def;
        library.TopNumber = std::max(library.TopNumber, number);
        if (def.TypeCode >= 1 && def.TypeCode <= 5)
            library.CategoryLists[def.TypeCode].push_back(def.Name);
        return true;
    }

  private:
    bool ParseTypeAndParams(const std::string& text, TModuleDef& def, const RawRecord& record) {
        LineScanner scan;
        scan.SetLine(text);
        scan.TokenToComma();
        if (!ParseDecimal(scan.ScanToken, def.TypeCode))
            return Refuse(record,
                          "has a type code that is not a number: \"" + scan.ScanToken + "\"");
        for (int p = 1; p <= 10 && !scan.AtLineEnd(); ++p) {
            scan.TokenToComma();
            if (scan.ScanToken.empty())
                continue;
            if (!ParseDecimal(scan.ScanToken, def.Params[p]))
                return Refuse(record, "has parameter " + std::to_string(p) +
                                          " that is not a number: \"" + scan.ScanToken + "\"");
        }
        return true;
    }

    bool Refuse(const RawRecord& record, const std::string& what) {
        messages_.push_back(fileName_ + ", line " + std::to_string(record.FirstLine) +
                            ": the record " + what + "; it is skipped.");
        return false;
    }

    const std::string& fileName_;
    std::vector<std::string>& messages_;
};

} // namespace

LibraryLoad ParseModuleLibrary(const std::vector<std::string>& lines, const std::string& fileName) {
    LibraryLoad load;
    bool unfinished = false;
    std::vector<RawRecord> records = AssembleRecords(lines, unfinished);
    RecordParser parser(fileName, load.Messages);
    for (const RawRecord& record : records)
        parser.Parse(record, load.Library);
    if (unfinished)
        load.Messages.push_back(fileName + " ends inside a record that has no closing \"\\\"; " +
                                "that record is skipped.");
    return load;
}

LibraryLoad LoadModuleLibrary(const std::string& systemFolder) {
    const std::string path = FindFileIgnoringCase(systemFolder, "K7MODDEF.TXT");
    TextFile file = ReadTextLines(path);
    if (!file.Ok) {
        LibraryLoad load;
        load.Messages.push_back("Cannot load the module library: " + file.Error);
        return load;
    }
    return ParseModuleLibrary(file.Lines, path);
}

} // namespace k7
