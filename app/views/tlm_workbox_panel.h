// The "TLM Workbox" panel: the editor of one telemetry message, over the
// core's TlmWorkbox. Every control forwards to the workbox and then shows
// the workbox's state again.
#pragma once

#include "workspace/change_notices.h"
#include "workspace/tlm_workbox.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace k7 {

class DropTable;

class TlmWorkboxPanel : public QWidget {
    Q_OBJECT

  public:
    TlmWorkboxPanel(Workspace& workspace, TlmWorkbox& workbox, QWidget* parent = nullptr);

    // Shows the workbox as it stands.
    void Refresh();

    QGroupBox* Frame() const { return frame_; }
    QSpinBox* BoardBox() const { return board_; }
    QSpinBox* PortBox() const { return port_; }
    QSpinBox* DestBox() const { return dest_; }
    QSpinBox* SourceBox() const { return source_; }
    QLabel* SourceLabel() const { return sourceLabel_; }
    QComboBox* NumberingBox() const { return numbering_; }
    DropTable* Entries() const { return entries_; }
    QComboBox* AddRowChoices() const { return addRowChoice_; }
    QPushButton* Button(const QString& caption) const;
    QLineEdit* NameField() const { return nameField_; }
    QGroupBox* MultiplierPanel() const { return multipliers_; }
    QGroupBox* SpecialPanel() const { return specials_; }

  signals:
    // Save or Cancel changed the project's arrays or their lists.
    void arraysChanged();

  private:
    QWidget* CreateSelectors();
    QWidget* CreatePanels();
    QWidget* CreateButtons();
    void SelectorChanged(QSpinBox* box, bool (TlmWorkbox::*set)(int));
    void FillEntries();

    Workspace& workspace_;
    ChangeSubscription changes_;
    TlmWorkbox& workbox_;
    QGroupBox* frame_ = nullptr;
    QSpinBox* board_ = nullptr;
    QSpinBox* port_ = nullptr;
    QSpinBox* dest_ = nullptr;
    QSpinBox* source_ = nullptr;
    QLabel* sourceLabel_ = nullptr;
    QComboBox* numbering_ = nullptr;
    DropTable* entries_ = nullptr;
    QComboBox* addRowChoice_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLineEdit* nameField_ = nullptr;
    QGroupBox* multipliers_ = nullptr;
    QGroupBox* specials_ = nullptr;
    bool refreshing_ = false;
};

} // namespace k7
