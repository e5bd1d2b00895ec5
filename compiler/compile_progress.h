// What the compile shows while it runs and how it hears the Cancel button:
// the shared progress panel. The compile never waits on a window.
#pragma once

#include "workspace/progress_panel.h"

namespace k7 {

using CompileProgress = ProgressPanel;

} // namespace k7
