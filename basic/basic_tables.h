// The compiler's tables: declared inputs and outputs, locals, labels and
// constants. Rows keep their order (their numbers are code operands); a
// name index makes each look-up constant-time for long modules.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace k7 {

struct BasicIoRow {
    std::string Name;
    long long Bytes = 4;
    int Dimensions = 0;
    bool Assigned = false; // outputs only
};

struct BasicLocalRow {
    std::string Name;
    bool Assigned = false;
    bool Used = false;
};

struct BasicLabelRow {
    std::string Name;
    int Address = 0;
};

class BasicTables {
  public:
    static constexpr int NotFound = -1;

    void Clear();

    // A duplicate declaration is still added; look-ups find the first row.
    void AddInput(const BasicIoRow& row);
    void AddOutput(const BasicIoRow& row);
    int FindInput(const std::string& name) const { return Find(inputIndex_, name); }
    int FindOutput(const std::string& name) const { return Find(outputIndex_, name); }

    // Locals are numbered from 1 in order of first appearance.
    int AddLocal(const BasicLocalRow& row);
    int FindLocal(const std::string& name) const { return Find(localIndex_, name); }

    void AddtoLabelList(const std::string& name, int address);
    int SearchLabelTable(const std::string& name) const { return Find(labelIndex_, name); }

    // Adds a literal text unless present.
    void AddConstant(const std::string& text);

    std::vector<BasicIoRow> InputTable;
    std::vector<BasicIoRow> OutputTable;
    std::vector<BasicLocalRow> VarTable;
    std::vector<BasicLabelRow> LabelTable;
    std::vector<std::string> ConstantsList;

  private:
    using Index = std::unordered_map<std::string, int>;
    static int Find(const Index& index, const std::string& name);

    Index inputIndex_;
    Index outputIndex_;
    Index localIndex_;
    Index labelIndex_;
    Index constantIndex_;
};

} // namespace k7
