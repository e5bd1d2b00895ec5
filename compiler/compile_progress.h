// What the compile shows while it runs and how it hears the Cancel button:
// the desktop program implements it over its progress panel and status
// bar; the compile never waits on a window.
#pragma once

#include "workspace/user_interface.h"

#include <string>

namespace k7 {

class CompileProgress {
  public:
    virtual ~CompileProgress() = default;
    virtual void Show(bool /*visible*/) {}
    virtual void SetCaption(const std::string& /*caption*/) {}
    virtual void SetLabel(const std::string& /*label*/) {}
    virtual void SetRepeatLabel(const std::string& /*label*/) {}
    virtual void SetGauge(int /*percent*/) {}
    // The message panel of the status bar.
    virtual void SetStatusMessage(const std::string& /*message*/) {}
    // Lets the window process input; true once the user pressed Cancel.
    virtual bool CancelRequested() { return false; }
};

// Shows the compile on the shared progress panel: the repeat label takes
// the panel's one label line.
class ProgressSinkCompileProgress : public CompileProgress {
  public:
    explicit ProgressSinkCompileProgress(ProgressSink& sink) : sink_(sink) {}
    void Show(bool visible) override { sink_.Show(visible); }
    void SetCaption(const std::string& caption) override { sink_.SetCaption(caption); }
    void SetRepeatLabel(const std::string& label) override { sink_.SetLabel(label); }
    void SetGauge(int percent) override { sink_.SetPosition(percent, 100); }
    bool CancelRequested() override { return sink_.CancelRequested(); }

  private:
    ProgressSink& sink_;
};

} // namespace k7
