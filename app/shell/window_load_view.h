// What the load sequence shows, in the main window: the shared progress
// panel and the compiler status panel directly, the terminal page and the
// remote load panel through the hooks their views set.
#pragma once

#include "comm/load_sequence.h"

#include <functional>
#include <string>

class QWidget;

namespace k7 {

class ProgressPanelWidget;

class WindowLoadView : public LoadView {
  public:
    WindowLoadView(ProgressPanelWidget& progress, QWidget& compilerStatus);

    void ShowProgress(bool visible) override;
    void SetProgressCaption(const std::string& caption) override;
    void SetProgressLabel(const std::string& label) override;
    void SetRepeatLabel(const std::string& label) override;
    void SetProgressPosition(int percent) override;
    void ShowTerminalPage(bool visible) override;
    void HideRemotePanel() override;
    void HideCompilerStatus() override;
    void TerminalTextAdded(const std::string& text) override;

    // The panel that holds the progress panel follows it.
    std::function<void(bool)> onShowProgress;
    std::function<void(bool)> onShowTerminalPage;
    std::function<void()> onHideRemotePanel;
    std::function<void(const std::string&)> onTerminalText;

  private:
    ProgressPanelWidget& progress_;
    QWidget& compilerStatus_;
    bool shown_ = false;
};

} // namespace k7
