// The card panel "Select K7 Cards": the unit and LCD choices, the cage
// choice, the card list to drag from and the nine slots of the shown cage.
// A click on a free channel asks which I/O module to place there and opens
// the instance editor on it; a click on a bound channel opens its instance.
#pragma once

#include "workspace/card_cage.h"
#include "workspace/change_notices.h"

#include <QListWidget>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QMimeData;

namespace k7 {

class CardFace;
class InstanceEditor;
class Workspace;

constexpr const char* CardPanelTitle = "Select K7 Cards";

// The card list: long names of the card types, sorted; a drag carries the
// code the panel's rules allow.
class CardList : public QListWidget {
    Q_OBJECT

  public:
    CardList(Workspace& workspace, const CardPanel& panel, QWidget* parent = nullptr);
    // What a drag of `row` carries; null when the row names no card.
    QMimeData* DragData(int row) const;

  protected:
    void startDrag(Qt::DropActions actions) override;

  private:
    Workspace& workspace_;
    const CardPanel& panel_;
};

class CardPanelView : public QWidget {
    Q_OBJECT

  public:
    CardPanelView(Workspace& workspace, InstanceEditor& editor, QWidget* parent = nullptr);

    // Shows the shown cage afresh from the project.
    void Redraw();

    QComboBox* UnitChoice() const { return unit_; }
    QComboBox* LcdChoice() const { return lcd_; }
    QComboBox* CageChoice() const { return cage_; }
    CardList* Cards() const { return cards_; }
    QLabel* Note() const { return note_; }
    CardFace* Face(int slot) const { return faces_[slot]; }
    const CardPanel& Model() const { return panel_; }

    // Asks which module type to place on a free channel: the question and
    // the library module names offered; nothing when the person cancels.
    // Tests replace it; the program asks in a list dialog.
    std::function<std::optional<std::string>(const std::string& title,
                                             const std::vector<std::string>& choices)>
        chooseModule;

  signals:
    // A channel click opened the instance editor; the panel closes.
    void editorOpened();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void LineClicked(int slot, int line);

    Workspace& workspace_;
    InstanceEditor& editor_;
    CardPanel panel_;
    CageModel shown_;
    QComboBox* unit_ = nullptr;
    QComboBox* lcd_ = nullptr;
    QComboBox* cage_ = nullptr;
    CardList* cards_ = nullptr;
    QLabel* note_ = nullptr;
    std::array<CardFace*, SlotCount> faces_{};
    bool loading_ = false;
    ChangeSubscription changes_;
};

} // namespace k7
