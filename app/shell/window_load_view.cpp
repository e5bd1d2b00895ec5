#include "app/shell/window_load_view.h"

#include "app/shell/progress_panel_widget.h"

#include <QWidget>

namespace k7 {

WindowLoadView::WindowLoadView(ProgressPanelWidget& progress, QWidget& compilerStatus)
    : progress_(progress), compilerStatus_(compilerStatus) {}

// A load's bar is drawn red. The load shows the panel at every tick of its
// streaming states; only the first of them starts the panel afresh.
void WindowLoadView::ShowProgress(bool visible) {
    if (visible == shown_)
        return;
    shown_ = visible;
    if (visible) {
        progress_.Reset();
        progress_.SetBarColour(BarColour::Red);
    }
    progress_.Show(visible);
    if (onShowProgress)
        onShowProgress(visible);
}

void WindowLoadView::SetProgressCaption(const std::string& caption) {
    progress_.SetCaption(caption);
}

void WindowLoadView::SetProgressLabel(const std::string& label) {
    progress_.SetLabel(label);
}

void WindowLoadView::SetRepeatLabel(const std::string& label) {
    progress_.SetRepeatLabel(label);
}

void WindowLoadView::SetProgressPosition(int percent) {
    progress_.SetPosition(percent);
}

void WindowLoadView::ShowTerminalPage(bool visible) {
    if (onShowTerminalPage)
        onShowTerminalPage(visible);
}

void WindowLoadView::HideRemotePanel() {
    if (onHideRemotePanel)
        onHideRemotePanel();
}

void WindowLoadView::HideCompilerStatus() {
    compilerStatus_.hide();
}

void WindowLoadView::TerminalTextAdded(const std::string& text) {
    if (onTerminalText)
        onTerminalText(text);
}

} // namespace k7
