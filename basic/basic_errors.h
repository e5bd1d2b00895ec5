// The BASIC compiler's own error list: at most 25 entries, each a message
// and the 0-based index of the source line that was current.
#pragma once

#include "basic/basic_types.h"

#include <string>
#include <vector>

namespace k7 {

struct BasicError {
    std::string Message; // at most 60 characters
    int Line = 0;        // 0-based index of the source line
};

class BasicErrors {
  public:
    static constexpr int MaxErrors = 25;
    static constexpr size_t MaxMessageLength = 60;

    void SetPass(BasicPass pass) { pass_ = pass; }

    // Each pass reports its own errors so that a line read twice is listed
    // once; both abandon the rest of the line in any pass.
    void AddError2(const std::string& message, int line); // recorded in the layout pass
    void AddError3(const std::string& message, int line); // recorded in the emitting pass

    bool LineError() const { return lineError_; }
    void ClearLineError() { lineError_ = false; }

    void EraseErrors();

    // The count is the number listed: errors past the 25th are not counted.
    int Count() const { return static_cast<int>(list_.size()); }
    const std::vector<BasicError>& List() const { return list_; }

  private:
    void Record(const std::string& message, int line);

    BasicPass pass_ = BasicPass::Layout;
    bool lineError_ = false;
    std::vector<BasicError> list_;
};

// Cuts a message to its first 60 characters without splitting a UTF-8 sequence.
std::string CutErrorMessage(const std::string& message);

} // namespace k7
