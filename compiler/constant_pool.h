// The literal constants of a project: every number or text that an item
// may hold instead of a variable name gets one place in flash, written by
// the constants section of the image.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace k7 {

struct PoolConstant {
    std::string Text;
    uint32_t Address = 0; // typed flash address, set by the constants writer
};

// One ordered list; a text is entered once.
class ConstantList {
  public:
    void Clear();
    void Add(const std::string& text);
    const PoolConstant* Find(const std::string& text) const;
    std::vector<PoolConstant>& Entries() { return entries_; }
    const std::vector<PoolConstant>& Entries() const { return entries_; }
    size_t Size() const { return entries_.size(); }

  private:
    std::vector<PoolConstant> entries_;
    std::unordered_map<std::string, size_t> index_;
};

struct ConstantPool {
    ConstantList Integers;
    ConstantList Strings;
    ConstantList Floats;

    void Clear();
};

// Where a literal goes: 0 integer list, 1 string list, 2 float list, 3 none.
// The item code decides for strings: "S..C" always gives a string, another
// "S" code a string unless the text is not a number at all; for the other
// codes a text with more than one "." is no number the unit could read.
int ConstantClass(const std::string& text, const std::string& code);

// Classifies text by its item code and enters it; empty text adds nothing.
void AddConstant(ConstantPool& pool, const std::string& text, const std::string& code);

} // namespace k7
