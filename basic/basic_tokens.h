// The reserved-word table of the BASIC dialect. Every entry is reserved,
// whether or not the compiler gives it a meaning.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

namespace k7 {

class ReservedWordTable {
  public:
    ReservedWordTable() { InitTokenList(); }

    // Fills the table with its 74 entries in their fixed order.
    void InitTokenList();

    // Exact comparison of an upper-case field text.
    bool Contains(const std::string& text) const { return lookup_.count(text) != 0; }
    const std::vector<std::string>& Entries() const { return entries_; }

  private:
    std::vector<std::string> entries_;
    std::unordered_set<std::string> lookup_;
};

// The one table of the reserved words, built on first use: every compiler
// shares it instead of building its own.
const ReservedWordTable& ReservedWords();

} // namespace k7
