// What the editor page tests share: a session started on the shipped
// system folder, with every message box scripted, and hand-built drag and
// drop events (a real drag blocks under the offscreen platform).
#pragma once

#include "tests/support/scripted_ui.h"
#include "session/session.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <memory>
#include <string>

namespace k7::test {

struct EditorFixture {
    ScriptedUi ui;
    QTemporaryDir dir;
    Session session{ui, [] { return std::string("01/02/2026 10:00:00"); }};
    Workspace& workspace = session.Space();

    EditorFixture() {
        StartOptions options;
        options.ProgramFolder = (dir.path() + "/").toStdString();
        options.SettingsPath = (dir.path() + "/K7Setup.ini").toStdString();
        options.SystemFolder = K7_DATA_DIR;
        session.Start(options);
        ui.Errors.clear();
    }

    bool OpenExample() { return workspace.OpenProjectPath(K7_EXAMPLES_DIR "pumpstation.tvr"); }
};

// What a database list drags: the variable name as text.
inline std::unique_ptr<QMimeData> NameData(const QString& name) {
    auto data = std::make_unique<QMimeData>();
    data->setText(name);
    return data;
}

// Enter, move and drop at `at` (target's coordinates); true when the target
// took the drop.
inline bool Drop(QWidget* target, QPoint at, const QMimeData& data) {
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    if (!move.isAccepted())
        return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

// A click on a grid cell, where a person would click.
inline void ClickCell(QTableWidget* grid, int row, int column) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(row, column)).center());
}

inline QPoint CellCentre(QTableWidget* grid, int row, int column) {
    return grid->visualItemRect(grid->item(row, column)).center();
}

inline QString CellText(QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

// Double-clicks a cell open, types, and ends with Enter, as a person does.
inline void TypeInto(QTableWidget* grid, int row, int column, const QString& text) {
    const QPoint at = test::CellCentre(grid, row, column);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    QWidget* editor = QApplication::focusWidget();
    if (!editor || editor == grid)
        return;
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the delegate commits the edit queued
}

} // namespace k7::test
