// The UI seam in message boxes and file dialogs.
#pragma once

#include "workspace/user_interface.h"

class QWidget;

namespace k7 {

class QtUserInterface : public UserInterface {
  public:
    explicit QtUserInterface(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowError(const std::string& message) override;
    void ShowWarning(const std::string& message) override;
    void ShowMessage(const std::string& message) override;
    bool AskYesNo(const std::string& question) override;
    Answer AskYesNoCancel(const std::string& question) override;
    bool AskRetry(const std::string& message) override;
    std::optional<std::string> ChooseOpenFile(const FileChoice& choice) override;
    std::optional<std::string> ChooseSaveFile(const FileChoice& choice) override;

  private:
    QWidget* parent_;
};

} // namespace k7
