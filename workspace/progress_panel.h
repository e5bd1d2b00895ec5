// The shared progress panel ("Load Progress:") as the core sees it: the
// compile, the download and the documentation generator all report through
// it, and its Cancel button reaches them as a cancel request. The desktop
// program implements it over its panel and status bar, k7c over standard
// error, tests record it. Every call has a do-nothing default.
#pragma once

#include <string>

namespace k7 {

// How the bar is drawn: a download starts it red, the documentation draws
// it green.
enum class BarColour { Normal, Red, Green };

class ProgressPanel {
  public:
    virtual ~ProgressPanel() = default;
    virtual void Show(bool /*visible*/) {}
    virtual void SetCaption(const std::string& /*caption*/) {}
    // The panel's first line ("Loading K7/K3 Program...").
    virtual void SetLabel(const std::string& /*label*/) {}
    // The second line: repeats of a download, the section of a compile or
    // of the documentation.
    virtual void SetRepeatLabel(const std::string& /*label*/) {}
    // Percent, 0 to 100.
    virtual void SetPosition(int /*percent*/) {}
    virtual void SetBarColour(BarColour /*colour*/) {}
    // The message panel of the status bar.
    virtual void SetStatusMessage(const std::string& /*message*/) {}
    // Lets the window process input; true once the user pressed Cancel.
    virtual bool CancelRequested() { return false; }
};

} // namespace k7
