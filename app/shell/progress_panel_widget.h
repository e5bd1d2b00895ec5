// The shared progress panel: caption, label, repeat label, gauge and
// Cancel. The compile, the download and the documentation report through
// it; while they run the window processes input only here, so Cancel is
// the one button that can be pressed.
#pragma once

#include "compiler/compile_progress.h"
#include "workspace/progress_panel.h"

#include <QFrame>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace k7 {

class ProgressPanelWidget : public QFrame, public ProgressPanel {
    Q_OBJECT

  public:
    explicit ProgressPanelWidget(QWidget* parent = nullptr);

    void Show(bool visible) override;
    void SetCaption(const std::string& caption) override;
    void SetLabel(const std::string& label) override;
    void SetRepeatLabel(const std::string& label) override;
    void SetPosition(int percent) override;
    void SetBarColour(BarColour colour) override;
    void SetStatusMessage(const std::string& message) override;
    bool CancelRequested() override;

    // Clears the cancel request before a new run.
    void Reset();
    // Where the status bar's message panel is shown.
    std::function<void(const std::string&)> onStatusMessage;
    // Called each time the running work polls for Cancel, after input was
    // processed (tests press Cancel from here).
    std::function<void()> onPoll;

    QPushButton* CancelButton() const { return cancel_; }

  signals:
    // The caption, the label or the repeat label was set.
    void TextsChanged();

  public:
    QString CaptionText() const;
    QString LabelText() const;
    QString RepeatLabelText() const;
    int Position() const;

  private:
    QLabel* caption_;
    QLabel* label_;
    QLabel* repeat_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    bool cancelRequested_ = false;
};

// The compile's view of the panel.
class PanelCompileProgress : public CompileProgress {
  public:
    explicit PanelCompileProgress(ProgressPanel& panel) : panel_(panel) {}
    void Show(bool visible) override { panel_.Show(visible); }
    void SetCaption(const std::string& caption) override { panel_.SetCaption(caption); }
    void SetLabel(const std::string& label) override { panel_.SetLabel(label); }
    void SetRepeatLabel(const std::string& label) override { panel_.SetRepeatLabel(label); }
    void SetGauge(int percent) override { panel_.SetPosition(percent); }
    void SetStatusMessage(const std::string& message) override { panel_.SetStatusMessage(message); }
    bool CancelRequested() override { return panel_.CancelRequested(); }

  private:
    ProgressPanel& panel_;
};

} // namespace k7
