// The "Watch Window": the 4 by 15 grid of watched variables and their live
// values, its two clear buttons, the trend of the numeric values under it
// and "Log to CSV...". Every click, key and drop goes to the core's
// WatchWindow; the grid only shows what the core holds.
#pragma once

#include "comm/project_link.h"
#include "comm/watch.h"
#include "comm/watch_log.h"
#include "comm/watch_trend.h"
#include "workspace/user_interface.h"

#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QWidget>
#include <cstdint>
#include <functional>

class QKeyEvent;
class QLabel;
class QPushButton;

namespace k7 {

class TrendPlot;

// The grid sees every key, Enter included, also while a cell's editor is
// open: the editor's delegate hands Enter to the grid instead of keeping it.
class WatchCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  signals:
    void keyTyped(char key);

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};

class WatchGrid : public QTableWidget {
    Q_OBJECT

  public:
    explicit WatchGrid(QWidget* parent = nullptr);
    // True while item's editor is open: a reply does not overwrite what
    // is being typed.
    bool Editing(const QTableWidgetItem* item) const {
        return state() == EditingState && currentItem() == item;
    }

  signals:
    // A key typed while (column, row) was the current cell; an editor's
    // text is in the cell before Enter arrives.
    void keyTyped(int column, int row, char key);
    void nameDragged(const QString& name);
    void nameDropped(int column, int row, const QString& name);
    void cellClick(int column, int row);
    void cellDoubleClick(int column, int row);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    bool afterDoubleClick_ = false;
};

// The key byte the watch reacts to: carriage return for Enter and Return,
// the typed character otherwise (control-K is 0x0B); 0 for keys without one.
char WatchKeyByte(const QKeyEvent& event);

class WatchWindowView : public QWidget {
    Q_OBJECT

  public:
    WatchWindowView(WatchWindow& watch, ProjectLink& project, UserInterface& ui,
                    QWidget* parent = nullptr);
    ~WatchWindowView() override;

    // "Watch": opens the core's window (clean compile, open port) and
    // shows this one in front; false when it did not open.
    bool Open();

    // Where the trend's times and the log's time texts come from; the
    // workstation's clock unless tests set others.
    std::function<std::int64_t()> clockMs;
    std::function<std::string()> timeText;

    WatchGrid* Grid() const { return grid_; }
    QPushButton* Button(const QString& caption) const;
    TrendPlot* Plot() const { return plot_; }
    const WatchTrend& Trend() const { return trend_; }
    const WatchLog& Log() const { return log_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Refresh();
    void ReplyArrived();
    void ChooseLogFile();

    WatchWindow& watch_;
    ProjectLink& project_;
    UserInterface& ui_;
    WatchGrid* grid_;
    TrendPlot* plot_;
    QLabel* logStatus_;
    WatchTrend trend_;
    WatchLog log_;
    bool refreshing_ = false;
};

} // namespace k7
