// A UserInterface for tests: records every message and question, and
// answers from queues the test fills beforehand.
#pragma once

#include "workspace/user_interface.h"

#include <deque>
#include <string>
#include <vector>

namespace k7::test {

class ScriptedUi : public UserInterface {
  public:
    std::vector<std::string> Errors;
    std::vector<std::string> Warnings;
    std::vector<std::string> Messages;
    std::vector<std::string> Questions;
    std::vector<FileChoice> FileDialogs;

    std::deque<bool> YesNoAnswers;                      // empty queue answers No
    std::deque<bool> RetryAnswers;                      // empty queue answers Abort
    std::deque<Answer> ThreeWayAnswers;                 // empty queue answers Cancel
    std::deque<std::optional<std::string>> FileAnswers; // empty queue cancels

    void ShowError(const std::string& message) override { Errors.push_back(message); }
    void ShowWarning(const std::string& message) override { Warnings.push_back(message); }
    void ShowMessage(const std::string& message) override { Messages.push_back(message); }
    Answer AskYesNoCancel(const std::string& question) override {
        Questions.push_back(question);
        if (ThreeWayAnswers.empty())
            return Answer::Cancel;
        Answer answer = ThreeWayAnswers.front();
        ThreeWayAnswers.pop_front();
        return answer;
    }
    bool AskYesNo(const std::string& question) override {
        Questions.push_back(question);
        return Pop(YesNoAnswers);
    }
    bool AskRetry(const std::string& message) override {
        Questions.push_back(message);
        return Pop(RetryAnswers);
    }
    std::optional<std::string> ChooseOpenFile(const FileChoice& choice) override {
        return PopFile(choice);
    }
    std::optional<std::string> ChooseSaveFile(const FileChoice& choice) override {
        return PopFile(choice);
    }

  private:
    static bool Pop(std::deque<bool>& answers) {
        if (answers.empty())
            return false;
        bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> PopFile(const FileChoice& choice) {
        FileDialogs.push_back(choice);
        if (FileAnswers.empty())
            return std::nullopt;
        auto answer = FileAnswers.front();
        FileAnswers.pop_front();
        return answer;
    }
};

} // namespace k7::test
