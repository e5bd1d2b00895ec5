#include "app/shell/window_load_view.h"

#include "app/shell/progress_panel_widget.h"

#include <QWidget>

namespace k7 {

WindowLoadView::WindowLoadView(ProgressPanelWidget& progress, QWidget& compilerStatus)
    : progress_(progress), compilerStatus_(compilerStatus) {}

void WindowLoadView::ShowProgress(bool visible) {
    if (visible)
        progress_.Reset();
    progress_.Show(visible);
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
