#include "basic/basic_if_table.h"

namespace k7 {

void BasicIfTable::ClearDestinations() {
    else_.fill(0);
    end_.fill(0);
    open_.clear();
}

void BasicIfTable::StartPass() {
    open_.clear();
    lastNumber_ = FirstNumber - 1;
}

bool BasicIfTable::TakeNumber(int& number) {
    number = ++lastNumber_;
    return Fits(number);
}

bool BasicIfTable::Push(int number) {
    if (static_cast<int>(open_.size()) >= MaxOpenIfs)
        return false;
    open_.push_back(number);
    return true;
}

int BasicIfTable::Pop() {
    if (open_.empty())
        return 0;
    int number = open_.back();
    open_.pop_back();
    return number;
}

void BasicIfTable::SetElseDestination(int number, int address) {
    if (Fits(number))
        else_[number] = address;
}

void BasicIfTable::SetEndDestination(int number, int address) {
    if (Fits(number))
        end_[number] = address;
}

} // namespace k7
