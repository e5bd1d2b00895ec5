// The BASIC section: one module record per BASIC instance, pointing at one
// shared copy of its object code, then that code for every object file of
// the BasicCodeTable, relocated to its flash address and to the shared
// block of local RAM.
#include "basic/basic_instance.h"
#include "basic/object_file.h"
#include "compiler/compile_context.h"
#include "compiler/sections.h"
#include "workspace/project.h"
#include "workspace/text_file.h"

#include <map>

namespace k7 {

namespace {

constexpr const char* BasicModuleMarker = "2339";
constexpr uint32_t BasicLocalRamOffset = 1200;
// A module record line is closed once it passes this many characters.
constexpr size_t ModuleRecordLineLimit = 120;
// A code line is measured without the bar that follows its last word.
constexpr size_t CodeRecordLineLimit = 120 + 1;

// The data lines of one record: words each followed by "|"; a line that
// grows past the limit is closed with "\" and a new line starts at the
// next word's address, even after the last word (a line holding only that
// address), as the unit's loader reads every record.
class BasicRecordLines {
  public:
    BasicRecordLines(DownloadImage* image, uint32_t address, size_t limit)
        : image_(image), limit_(limit), address_(address), line_(HexWord(address) + "|") {}

    void Word(const std::string& word) {
        line_ += word;
        line_ += '|';
        address_ += 4;
        if (line_.size() > limit_) {
            Close();
            line_ = HexWord(address_) + "|";
        }
    }
    void Close() {
        if (image_)
            image_->Add(line_ + "\\");
    }

  private:
    DownloadImage* image_;
    size_t limit_;
    uint32_t address_;
    std::string line_;
};

struct LinkedObject {
    bool Found = false;
    BasicObjectRead Read;
};

// Each object file is read once per pass.
class ObjectFiles {
  public:
    explicit ObjectFiles(const std::string& folder) : folder_(folder) {}

    const LinkedObject& Get(const std::string& objectName) {
        auto found = cache_.find(objectName);
        if (found != cache_.end())
            return found->second;
        LinkedObject object;
        // A refused name is never looked for.
        if (!BasicFileNameProblem(objectName).empty())
            return cache_.emplace(objectName, std::move(object)).first->second;
        const std::string path = FindFileIgnoringCase(folder_, objectName);
        object.Found = FileExists(path);
        if (object.Found)
            object.Read = ReadBasicObjectFile(path, ObjectReadScope::Everything);
        return cache_.emplace(objectName, std::move(object)).first->second;
    }

  private:
    std::string folder_;
    std::map<std::string, LinkedObject> cache_;
};

struct LinkedInstance {
    BasicInstanceLine Line;
    std::string ObjectName;
    const BasicObjectFile* Object = nullptr;
};

// The instances whose object files can be linked; the others are reported.
std::vector<LinkedInstance> LinkableInstances(CompileContext& context, ObjectFiles& files) {
    std::vector<LinkedInstance> instances;
    for (const std::string& text : context.project.BasicModules) {
        std::optional<BasicInstanceLine> line = ParseBasicInstanceLine(text);
        if (!line) {
            context.ReportInPass2("Cannot read the BASIC module line " + text);
            continue;
        }
        const std::string objectName = ObjectFileName(line->SourceName);
        const LinkedObject& object = files.Get(objectName);
        if (!object.Found) {
            const std::string problem = BasicFileNameProblem(objectName);
            context.ReportInPass2(problem.empty()
                                      ? "Cannot find " + objectName + " referenced by " + line->Name
                                      : problem + ", referenced by " + line->Name);
            continue;
        }
        if (!object.Read.Ok) {
            context.ReportInPass2(object.Read.Error + ", referenced by " + line->Name);
            continue;
        }
        instances.push_back({std::move(*line), objectName, &object.Read.Object});
    }
    return instances;
}

std::string FieldWord(CompileContext& context, const std::string& field,
                      const std::string& instance) {
    if (field.size() < 2)
        return {};
    const std::string name = field.substr(1);
    const bool trigger =
        field[0] == 't' && name.size() >= 2 && name.compare(name.size() - 2, 2, "!!") == 0;
    const std::string word = LookupName(context, trigger ? "@" + name : name);
    if (word.empty())
        context.ReportInPass2("Cannot find " + name + " in " + instance);
    return word;
}

void WriteModuleRecord(CompileContext& context, const LinkedInstance& instance, bool last) {
    const BasicSystemData& system = instance.Object->System;
    const size_t ioCount =
        static_cast<size_t>(system.InputCount) + static_cast<size_t>(system.OutputCount);
    const uint32_t address = context.FlashCursor;
    const uint32_t size = static_cast<uint32_t>((ioCount + 3) * 4);
    context.FlashCursor += size;
    const uint32_t next = last ? context.BasicSectionEnd : address + size;
    const std::string code = context.BasicCode.BasicCode(instance.ObjectName, false, 0, 0).Address;
    const std::string& name = instance.Line.Name;
    // The record's length comes from the object file; a line saved before
    // the source's declarations changed would bind the wrong variables.
    if (instance.Line.Fields.size() != ioCount)
        context.ReportInPass2("Inputs and outputs of " + name + " do not match " +
                              instance.ObjectName);

    BasicRecordLines lines(context.PassImage(), address, ModuleRecordLineLimit);
    lines.Word(BasicModuleMarker);
    lines.Word(HexWord(next));
    lines.Word(code);
    for (size_t i = 0; i < ioCount; ++i) {
        const std::string field = i < instance.Line.Fields.size() ? instance.Line.Fields[i] : "";
        lines.Word(FieldWord(context, field, name));
    }
    lines.Close();
}

const PoolConstant* FindConstant(const ConstantPool& pool, const BasicCodeWord& word) {
    if (word.IsString)
        return pool.Strings.Find(word.Text);
    switch (ConstantClass(word.Text, "")) {
    case 0:
        return pool.Integers.Find(word.Text);
    case 1:
        return pool.Strings.Find(word.Text);
    case 2:
        return pool.Floats.Find(word.Text);
    default:
        return nullptr;
    }
}

std::string RelocatedWord(CompileContext& context, const BasicCodeWord& word, uint32_t codeAddress,
                          const std::string& objectName) {
    switch (word.Kind) {
    case BasicWordKind::Opcode:
    case BasicWordKind::Io:
        return HexWord(word.Value);
    case BasicWordKind::Constant: {
        // Straight from the pool: a variable that happens to share the
        // constant's text must not take its place.
        const PoolConstant* constant = FindConstant(context.Constants, word);
        if (!constant) {
            context.ReportInPass2("Cannot find constant " + word.Text + " in " + objectName);
            return {};
        }
        return HexWord(constant->Address);
    }
    case BasicWordKind::Jump:
        return HexWord(codeAddress + 4 + word.Value);
    case BasicWordKind::Local:
        return HexWord(context.BasicLocalRamStart + BasicLocalRamOffset + word.Value);
    case BasicWordKind::Other:
        break;
    }
    return word.Text;
}

void WriteCodeRecord(CompileContext& context, const BasicObjectFile& object, uint32_t codeAddress,
                     const std::string& objectName) {
    BasicRecordLines lines(&context.Image, codeAddress, CodeRecordLineLimit);
    lines.Word(HexWord(context.BasicLocalRamStart));
    for (const BasicCodeWord& word : object.Code)
        lines.Word(RelocatedWord(context, word, codeAddress, objectName));
    lines.Close();
}

// The table keeps names of at most 40 characters; the files are found by
// the full names of the instances' object files.
std::map<std::string, std::string> FullObjectNames(const Project& project) {
    std::map<std::string, std::string> names;
    for (const std::string& text : project.BasicModules)
        if (const std::optional<BasicInstanceLine> line = ParseBasicInstanceLine(text)) {
            const std::string objectName = ObjectFileName(line->SourceName);
            names.emplace(objectName.substr(0, TableNameWidth), objectName);
        }
    return names;
}

void PlaceCodeRecords(CompileContext& context, ObjectFiles& files) {
    const std::map<std::string, std::string> fullNames = FullObjectNames(context.project);
    const std::vector<BasicCodeTable::Entry> entries = context.BasicCode.Entries();
    for (const BasicCodeTable::Entry& entry : entries) {
        if (!context.Writing()) {
            context.BasicCode.BasicCode(entry.Name, true, context.FlashCursor, entry.Size);
            context.FlashCursor += entry.Size;
            continue;
        }
        context.FlashCursor += entry.Size;
        auto full = fullNames.find(entry.Name);
        if (full == fullNames.end())
            continue;
        const LinkedObject& object = files.Get(full->second);
        // A file that could not be read, or changed since the RAM
        // assignment sized it, was reported; its place stays empty.
        if (!object.Found || !object.Read.Ok ||
            object.Read.Object.System.CodeBytes != static_cast<int>(entry.Size))
            continue;
        WriteCodeRecord(context, object.Read.Object, entry.Address, full->second);
    }
}

} // namespace

void LinkBasicModules(CompileContext& context) {
    ObjectFiles files(context.options.BasicFolder);
    const std::vector<LinkedInstance> instances = LinkableInstances(context, files);
    for (size_t i = 0; i < instances.size(); ++i)
        WriteModuleRecord(context, instances[i], i + 1 == instances.size());
    PlaceCodeRecords(context, files);
}

} // namespace k7
