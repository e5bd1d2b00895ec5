// The Communications Setup panel: port, baud rate, protocol, parity and
// word length. A choice takes effect in the settings at once and reaches
// the port at its next set-up; closing the panel writes the settings file.
#pragma once

#include "workspace/workspace.h"

#include <QWidget>
#include <array>
#include <functional>

class QButtonGroup;
class QRadioButton;

namespace k7 {

class CommunicationsSetupPanel : public QWidget {
    Q_OBJECT

  public:
    CommunicationsSetupPanel(Workspace& workspace, QWidget* parent = nullptr);
    void Load();
    // The button that closes the panel: writes the settings.
    void CloseClick();

    // The radio button captioned text in the group titled title.
    QRadioButton* Choice(const QString& title, const QString& text) const;

  private:
    Workspace& workspace_;
    std::array<QButtonGroup*, 5> groups_{};
};

} // namespace k7
