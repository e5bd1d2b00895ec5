// The Preferences panel: the three folders and two compile choices. Edits
// take effect at once; Save writes the settings file and closes this panel
// and Communications Setup, Cancel only hides it.
#pragma once

#include "workspace/workspace.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QLineEdit;

namespace k7 {

class PreferencesPanel : public QWidget {
    Q_OBJECT

  public:
    PreferencesPanel(Workspace& workspace, QWidget* parent = nullptr);
    // Shows the settings as they are now.
    void Load();
    // Called after Save wrote the file (the window closes its other panel).
    std::function<void()> onSaved;

    QLineEdit* SystemFolderEdit() const { return system_; }
    QLineEdit* ProjectFolderEdit() const { return projectFolder_; }
    QLineEdit* BasicFolderEdit() const { return basic_; }
    QCheckBox* AlphabetizeBox() const { return alphabetize_; }
    QCheckBox* FlagDuplicatesBox() const { return flagDuplicates_; }

  private:
    Workspace& workspace_;
    QLineEdit* system_;
    QLineEdit* projectFolder_;
    QLineEdit* basic_;
    QCheckBox* alphabetize_;
    QCheckBox* flagDuplicates_;
};

} // namespace k7
