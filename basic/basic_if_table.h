// IF bookkeeping shared by the two passes: every IF takes a number (the
// same IF has the same number in both passes); the layout pass stores its
// else and end destinations, the emitting pass reads them.
#pragma once

#include <array>
#include <vector>

namespace k7 {

class BasicIfTable {
  public:
    static constexpr int TableSize = 1000;
    static constexpr int FirstNumber = 2;
    static constexpr int MaxIfCount = TableSize - FirstNumber; // 998
    static constexpr int MaxOpenIfs = 20;

    // At the start of a compile: every destination unset.
    void ClearDestinations();
    // At the start of the code in each pass: numbering from 2, nothing open.
    void StartPass();

    // Takes the next IF number; false when it lies past the table.
    bool TakeNumber(int& number);
    // The IF with the highest number taken so far in the pass; 0 when none fits.
    int MostRecent() const { return Fits(lastNumber_) ? lastNumber_ : 0; }

    // Opens an IF; false when 20 are open already.
    bool Push(int number);
    bool AnyOpen() const { return !open_.empty(); }
    int Innermost() const { return open_.empty() ? 0 : open_.back(); }
    int Pop();

    // 0 means unset; numbers outside the table read as unset and are not stored.
    int ElseDestination(int number) const { return Fits(number) ? else_[number] : 0; }
    int EndDestination(int number) const { return Fits(number) ? end_[number] : 0; }
    void SetElseDestination(int number, int address);
    void SetEndDestination(int number, int address);

  private:
    static bool Fits(int number) { return number >= FirstNumber && number < TableSize; }

    std::array<int, TableSize> else_{};
    std::array<int, TableSize> end_{};
    std::vector<int> open_;
    int lastNumber_ = 0;
};

} // namespace k7
