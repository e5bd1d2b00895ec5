// The ladder grid: one painted widget for every rung, drawn from the ten
// cell pictures loaded once, with each rung's check findings beside it.
// Clicks and drops go out as signals; the page asks the core what they do.
#pragma once

#include "workspace/project.h"

#include <QPixmap>
#include <QWidget>
#include <array>
#include <map>
#include <string>
#include <vector>

namespace k7 {

// The cell pictures of kinds 1..10 (at [kind - 1]), read from the system
// folder; a picture that cannot be read stays null and is listed.
struct CellPictures {
    std::array<QPixmap, 10> Pictures;
    std::vector<std::string> Missing;
};
CellPictures LoadCellPictures(const std::string& systemFolder);

class LadderGrid : public QWidget {
    Q_OBJECT

  public:
    static constexpr int CellWidth = 64;
    static constexpr int CellHeight = 40;
    static constexpr int RungNumberWidth = 36;
    static constexpr int FindingsWidth = 320;

    LadderGrid(const Project& project, const CellPictures& pictures, QWidget* parent = nullptr);

    // Rows changed in number: the widget takes the new height.
    void Resize();
    void SetSelectedRow(int row);
    int SelectedRow() const { return selectedRow_; }
    // The check's findings by row, shown beside their rung.
    void SetFindings(std::map<int, std::string> findings);
    const std::map<int, std::string>& Findings() const { return findings_; }

    // Where cell (column 1..8, row) lies, for tests and drops.
    QRect CellRect(int column, int row) const;
    // Where the number of a rung is shown; a click there selects the rung.
    QRect NumberRect(int row) const {
        return QRect(0, row * CellHeight, RungNumberWidth, CellHeight);
    }
    // Paints rows [first, last] into painter; the bench paints them all.
    void PaintRows(QPainter& painter, int first, int last) const;

  signals:
    void cellClicked(int column, int row);
    void nameDropped(int column, int row, const QString& name);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    bool CellAt(QPoint point, int& column, int& row) const;
    void PaintCell(QPainter& painter, int column, int row) const;

    const Project& project_;
    const CellPictures& pictures_;
    int selectedRow_ = 0;
    std::map<int, std::string> findings_;
};

} // namespace k7
