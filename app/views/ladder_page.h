// The ladder page: the palette, the grid of rungs, Insert and Delete rung,
// and the coil dialog, over the core's LadderEditor.
#pragma once

#include "app/widgets/ladder_grid.h"
#include "workspace/change_notices.h"
#include "workspace/ladder_editor.h"

#include <QWidget>
#include <array>

class QButtonGroup;
class QDialog;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace k7 {

class LadderPage : public QWidget {
    Q_OBJECT

  public:
    explicit LadderPage(Workspace& workspace, QWidget* parent = nullptr);

    // Opening the page: the coil tool, the dialog hidden, the grid reloaded.
    void OpenPage();
    // The project changed elsewhere (Open, New): redraw rows and findings.
    void Reload();

    LadderEditor& Editor() { return editor_; }
    LadderGrid* Grid() const { return grid_; }
    QToolButton* ToolButton(int32_t kind) const;
    QPushButton* InsertRungButton() const { return insertRung_; }
    QPushButton* DeleteRungButton() const { return deleteRung_; }
    QDialog* CoilDialogWindow() const { return coilDialog_; }
    QLineEdit* CoilTagField() const { return coilTag_; }
    QLineEdit* OnDelayField() const { return onDelay_; }
    QLineEdit* OffDelayField() const { return offDelay_; }
    const CellPictures& Pictures() const { return pictures_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* CreatePalette();
    void ReportMissingPictures();
    void CreateCoilDialog();
    void CellClicked(int column, int row);
    void NameDropped(int column, int row, const QString& name);
    void CoilOk();
    void AfterEdit();

    Workspace& workspace_;
    ChangeSubscription changes_;
    LadderEditor editor_;
    CellPictures pictures_;
    LadderGrid* grid_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QButtonGroup* tools_ = nullptr;
    QPushButton* insertRung_ = nullptr;
    QPushButton* deleteRung_ = nullptr;
    QDialog* coilDialog_ = nullptr;
    QLineEdit* coilTag_ = nullptr;
    QLineEdit* onDelay_ = nullptr;
    QLineEdit* offDelay_ = nullptr;
    bool missingReported_ = false;
};

} // namespace k7
