// The six database lists of Design mode, "Floating Pt" .. "Strings". Each
// is a drag source carrying the name and its type letter, and reports a
// mouse press on a name (Variable Search listens). The lists are rebuilt
// from the notices of the parts that rename the databases, and only the
// lists whose names changed.
#pragma once

#include "workspace/workspace.h"

#include <QListWidget>
#include <QWidget>
#include <array>
#include <functional>

class QMimeData;

namespace k7 {

// The MIME format of a database drag: "<name>\n<letter>".
constexpr const char* DbDragMimeType = "application/x-k7-database-name";

class DatabaseList : public QListWidget {
    Q_OBJECT

  public:
    DatabaseList(const Project& project, DbType type, QWidget* parent = nullptr);
    DbType Type() const { return type_; }
    // What a drag of row carries; null when the row holds no name.
    QMimeData* DragData(int row) const;
    std::function<void(DbType, const std::string&)> onNamePressed;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions actions) override;

  private:
    const Project& project_;
    DbType type_;
};

class DatabaseListsPanel : public QWidget {
    Q_OBJECT

  public:
    DatabaseListsPanel(Workspace& workspace, QWidget* parent = nullptr);
    // Refills the lists whose names differ from the project's databases;
    // the others are left as they are.
    void Refresh();
    // How many list refills Refresh has done so far.
    int RebuildCount() const { return rebuilds_; }
    DatabaseList* List(DbType type) const { return lists_[static_cast<int>(type)]; }
    std::function<void(DbType, const std::string&)> onNamePressed;

  private:
    Workspace& workspace_;
    ChangeSubscription changes_;
    std::array<DatabaseList*, 6> lists_{};
    std::array<std::vector<std::string>, 6> shown_{};
    int rebuilds_ = 0;
};

} // namespace k7
