#include "basic/basic_instance.h"

#include "basic/object_file.h"
#include "workspace/databases.h"
#include "workspace/project.h"
#include "workspace/text_file.h"
#include "workspace/workspace.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace k7 {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

size_t SkipBlanks(const std::string& text, size_t position) {
    while (position < text.size() && IsBlank(text[position]))
        ++position;
    return position;
}

// The characters a declared name is made of. "," belongs to dimension text
// such as "(2,3)", which sizes the output's RAM.
bool IsNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '[' || c == ']' ||
           c == '(' || c == ')' || c == '%' || c == '!' || c == '$' || c == ',';
}

// Every "Description:Name" pair of a declaration line, as the compiler
// reads them: a comment ends the line, a pair without a name ends it too.
void ReadDeclarationLine(const std::string& line, bool isOutput,
                         std::vector<BasicDeclaration>& declarations) {
    size_t position = 0;
    while (true) {
        position = SkipBlanks(line, position);
        if (position >= line.size() || line[position] == '\'')
            return;
        const size_t colon = line.find(':', position);
        if (colon == std::string::npos)
            return;
        BasicDeclaration declaration;
        declaration.Description = line.substr(position, colon - position);
        size_t end = SkipBlanks(line, colon + 1);
        const size_t nameStart = end;
        while (end < line.size() && IsNameCharacter(line[end]))
            ++end;
        if (end == nameStart)
            return;
        const std::string name = line.substr(nameStart, end - nameStart);
        if (isOutput) {
            declaration.Name = name;
            declaration.Letter = BasicOutputLetter(name);
        }
        declarations.push_back(declaration);
        position = end;
    }
}

std::string EntryInstanceName(const std::string& entry) {
    return entry.substr(0, entry.find('.'));
}

std::string EntrySourceName(const std::string& entry) {
    const size_t dots = entry.find("...");
    return dots == std::string::npos ? std::string() : entry.substr(dots + 3);
}

} // namespace

char BasicOutputLetter(const std::string& declaredName) {
    char letter = 'f';
    for (char c : declaredName) {
        if (c == '(' || c == '[')
            break; // dimension text
        if (c == '!')
            letter = letter == 'f' ? 'n' : 't';
        else if (c == '%')
            letter = letter == 'f' ? 'i' : 'm';
        else if (c == '$')
            letter = 's';
    }
    return letter;
}

std::string BasicOutputDatabaseName(const std::string& instance, const std::string& declaredName) {
    return instance + "." + declaredName;
}

BasicSourceDeclarations ReadBasicSourceDeclarations(const std::vector<std::string>& lines) {
    enum class Part { None, Inputs, Outputs, Notes } part = Part::None;
    BasicSourceDeclarations source;
    for (const std::string& line : lines) {
        const size_t first = SkipBlanks(line, 0);
        if (first < line.size() && line[first] == '\'')
            continue;
        if (first < line.size() && line[first] == '#') {
            const size_t which = SkipBlanks(line, first + 1);
            const char c =
                which < line.size()
                    ? static_cast<char>(std::toupper(static_cast<unsigned char>(line[which])))
                    : ' ';
            if (c == 'C')
                break;
            part = c == 'I'   ? Part::Inputs
                   : c == 'O' ? Part::Outputs
                   : c == 'M' ? Part::Notes
                              : Part::None;
            continue;
        }
        if (part == Part::Notes)
            source.Notes += (source.Notes.empty() ? "" : "\r\n") + line;
        else if (part == Part::Inputs)
            ReadDeclarationLine(line, false, source.Inputs);
        else if (part == Part::Outputs)
            ReadDeclarationLine(line, true, source.Outputs);
    }
    return source;
}

std::vector<std::string> BasicLibraryFiles(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (!it->is_regular_file(error))
            continue;
        std::string extension = it->path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (extension == ".BAS")
            files.push_back(it->path().filename().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> BasicModuleListEntries(const std::vector<std::string>& basicModules) {
    std::vector<std::string> entries;
    for (const std::string& line : basicModules) {
        entries.push_back(BasicInstanceName(line) + "..." + BasicInstanceSourceName(line));
    }
    return entries;
}

bool BasicInstanceEditor::Fill(const std::string& sourceName) {
    if (const std::string problem = BasicFileNameProblem(sourceName); !problem.empty()) {
        workspace_.Ui().ShowError(problem);
        return false;
    }
    const std::string folder = workspace_.settings.BasicFolder;
    const TextFile file = ReadTextLines(FindFileIgnoringCase(folder, sourceName));
    if (!file.Ok) {
        workspace_.Ui().ShowError(MissingBasicFileMessage + sourceName);
        return false;
    }
    const BasicSourceDeclarations source = ReadBasicSourceDeclarations(file.Lines);
    state_ = BasicEditorState{};
    state_.SourceName = sourceName;
    state_.Title = BasicFileTitle + sourceName;
    for (const BasicDeclaration& input : source.Inputs)
        state_.InputRows.push_back({input.Description, ""});
    for (const BasicDeclaration& output : source.Outputs) {
        state_.OutputRows.push_back({output.Description, ""});
        state_.OutputDeclaredNames.push_back(output.Name);
    }
    state_.Notes = source.Notes;
    state_.ShowInputs = !state_.InputRows.empty();
    state_.ShowOutputs = !state_.OutputRows.empty();
    return true;
}

bool BasicInstanceEditor::ConfirmAbandon() {
    return !state_.Open || !state_.Changed || workspace_.Ui().AskYesNo(AbandonQuestion);
}

bool BasicInstanceEditor::Cancel() {
    if (!ConfirmAbandon())
        return false;
    Close();
    return true;
}

bool BasicInstanceEditor::OpenForProj(const std::string& selectedFile) {
    if (!ConfirmAbandon())
        return false;
    if (selectedFile.empty()) {
        workspace_.Ui().ShowError(SelectBasicFileMessage);
        return false;
    }
    if (!Fill(selectedFile))
        return false;
    TypeName("");
    state_.Changed = false;
    state_.Open = true;
    return true;
}

bool BasicInstanceEditor::EditModule(const std::string& selectedEntry) {
    if (!ConfirmAbandon())
        return false;
    if (selectedEntry.empty()) {
        workspace_.Ui().ShowError(SelectBasicModuleMessage);
        return false;
    }
    const std::string name = EntryInstanceName(selectedEntry);
    std::optional<BasicInstanceLine> stored;
    for (const std::string& line : workspace_.project.BasicModules)
        if (BasicInstanceName(line) == name) {
            stored = ParseBasicInstanceLine(line);
            break;
        }
    if (!stored) {
        workspace_.Ui().ShowError(SelectBasicModuleMessage);
        return false;
    }
    if (!Fill(EntrySourceName(selectedEntry)))
        return false;
    for (size_t i = 0; i < state_.InputRows.size() && i < stored->Fields.size(); ++i) {
        const std::string& field = stored->Fields[i];
        if (!field.empty() && field[0] == '$')
            break;
        state_.InputRows[i].Value = field.empty() ? field : field.substr(1);
    }
    TypeName(name);
    state_.Changed = false;
    state_.Editing = true;
    state_.EditedName = name;
    state_.Open = true;
    return true;
}

void BasicInstanceEditor::TypeName(const std::string& text) {
    state_.NameText = text;
    state_.Changed = true;
    for (size_t i = 0; i < state_.OutputRows.size(); ++i)
        state_.OutputRows[i].Value = BasicOutputDatabaseName(text, state_.OutputDeclaredNames[i]);
}

void BasicInstanceEditor::TypeValue(int row, const std::string& text) {
    if (row < 1 || row > static_cast<int>(state_.InputRows.size()))
        return;
    state_.InputRows[static_cast<size_t>(row - 1)].Value = text;
    state_.Changed = true;
}

// The naming rules of every module instance: the name becomes the first
// part of database names and the key of the stored line.
bool BasicInstanceEditor::RefuseName() {
    const std::string refusal = InstanceNameRefusal(state_.NameText);
    if (!refusal.empty())
        workspace_.Ui().ShowError(refusal);
    return !refusal.empty();
}

bool BasicInstanceEditor::RefuseValues() {
    for (const EditorRow& row : state_.InputRows)
        if (RefuseStoredText(workspace_.Ui(), row.Value, StoredField::Inside))
            return true;
    return false;
}

// Ordinary instances always clash; another BASIC instance clashes too, so
// that a rename never overwrites a different instance's line.
bool BasicInstanceEditor::NameExists() const {
    const Project& project = workspace_.project;
    for (const TModuleInst& instance : project.Modules)
        if (instance.Name == state_.NameText)
            return true;
    for (const std::string& line : project.BasicModules) {
        const std::string name = BasicInstanceName(line);
        if (name == state_.NameText && !(state_.Editing && name == state_.EditedName))
            return true;
    }
    return false;
}

std::string BasicInstanceEditor::LineText() const {
    BasicInstanceLine line;
    line.Name = state_.NameText;
    line.SourceName = state_.SourceName;
    for (const EditorRow& row : state_.InputRows)
        line.Fields.push_back(row.Value.empty() ? std::string() : "I" + row.Value);
    for (size_t i = 0; i < state_.OutputRows.size(); ++i) {
        const std::string& name = state_.OutputRows[i].Value;
        line.Fields.push_back(std::string(1, BasicOutputLetter(state_.OutputDeclaredNames[i])) +
                              name);
    }
    return BasicInstanceLineText(line);
}

bool BasicInstanceEditor::Save() {
    if (!state_.Open || RefuseName() || RefuseValues())
        return false;
    if (NameExists()) {
        workspace_.Ui().ShowError(BasicNameExistsMessage);
        return false;
    }
    std::vector<std::string>& lines = workspace_.project.BasicModules;
    // A changed instance goes to the end of the list, as a new one does.
    if (state_.Editing) {
        auto stored = std::find_if(lines.begin(), lines.end(), [this](const std::string& line) {
            return BasicInstanceName(line) == state_.EditedName;
        });
        if (stored != lines.end())
            lines.erase(stored);
    }
    lines.push_back(LineText());
    RebuildDatabases(workspace_.project, workspace_.library);
    Close();
    workspace_.MarkProjectChanged(ProjectPart::Basic);
    return true;
}

bool DeleteBasicInstance(Workspace& workspace, const std::string& selectedEntry) {
    if (selectedEntry.empty()) {
        workspace.Ui().ShowError(SelectBasicModuleMessage);
        return false;
    }
    const std::string name = EntryInstanceName(selectedEntry);
    std::vector<std::string>& lines = workspace.project.BasicModules;
    auto found = std::find_if(lines.begin(), lines.end(), [&name](const std::string& line) {
        return BasicInstanceName(line) == name;
    });
    if (found == lines.end())
        return false;
    lines.erase(found);
    workspace.MarkProjectChanged(ProjectPart::Basic);
    RebuildDatabases(workspace.project, workspace.library);
    return true;
}

} // namespace k7
