// The seam between the core and whoever shows its messages: the desktop
// program implements it with message boxes and dialogs, tests script it,
// k7c answers on the terminal. The core never waits on a window itself.
#pragma once

#include <optional>
#include <string>

namespace k7 {

struct FileChoice {
    std::string Title;
    std::string InitialFolder;
    std::string ProposedName;     // full path or bare name; may be empty
    std::string Filter;           // "Project Files...*.*|*.*"
    std::string DefaultExtension; // without the dot
    bool AskBeforeOverwrite = false;
};

// The answer to a question with Yes, No and Cancel.
enum class Answer { Yes, No, Cancel };

class UserInterface {
  public:
    virtual ~UserInterface() = default;

    // Error box with an OK button.
    virtual void ShowError(const std::string& message) = 0;
    // Warning and plain message boxes with an OK button; where no kinds are
    // told apart they are shown as errors.
    virtual void ShowWarning(const std::string& message) { ShowError(message); }
    virtual void ShowMessage(const std::string& message) { ShowError(message); }
    // Confirmation with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& question) = 0;
    // Question with Yes, No and Cancel; without a Cancel button it is
    // asked as a Yes/No question.
    virtual Answer AskYesNoCancel(const std::string& question) {
        return AskYesNo(question) ? Answer::Yes : Answer::No;
    }
    // Box with Abort and Retry; true for Retry.
    virtual bool AskRetry(const std::string& message) = 0;
    // File dialogs; nothing when the user cancels.
    virtual std::optional<std::string> ChooseOpenFile(const FileChoice& choice) = 0;
    virtual std::optional<std::string> ChooseSaveFile(const FileChoice& choice) = 0;
};

} // namespace k7
