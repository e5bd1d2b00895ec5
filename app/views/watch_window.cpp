#include "app/views/watch_window.h"

#include "app/widgets/trend_plot.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace k7 {

constexpr const char* ClearValuesCaption = "Clr Values";
constexpr const char* ClearTableCaption = "Clr Table";
constexpr const char* LogToCsvCaption = "Log to CSV...";

char WatchKeyByte(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return '\r';
    const QString text = event.text();
    return text.size() == 1 && text[0].unicode() < 0x80 ? static_cast<char>(text[0].unicode())
                                                        : '\0';
}

static bool SendsValue(char key) {
    return key == '\r' || key == 0x0B;
}

bool WatchCellDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        const char key = WatchKeyByte(*static_cast<QKeyEvent*>(event));
        if (SendsValue(key)) {
            // The typed text goes into the cell, the editor closes, and the
            // grid gets the key as if no editor had been open.
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            emit keyTyped(key);
            return true;
        }
        emit keyTyped(key);
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

WatchGrid::WatchGrid(QWidget* parent) : QTableWidget(WatchGridRows, WatchGridColumns, parent) {
    auto* delegate = new WatchCellDelegate(this);
    setItemDelegate(delegate);
    connect(delegate, &WatchCellDelegate::keyTyped, this,
            [this](char key) { emit keyTyped(currentColumn(), currentRow(), key); });
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    // Double-click toggles poke mode, so only typing opens a cell's editor.
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // All fifteen rows and four columns in view: the grid never scrolls.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int column = 0; column < WatchGridColumns; ++column)
        horizontalHeader()->setSectionResizeMode(column, IsWatchValueColumn(column)
                                                             ? QHeaderView::ResizeToContents
                                                             : QHeaderView::Stretch);
    horizontalHeader()->setMinimumSectionSize(90);
    setMinimumHeight(verticalHeader()->defaultSectionSize() * WatchGridRows + 2 * frameWidth());
}

void WatchGrid::keyPressEvent(QKeyEvent* event) {
    const char key = WatchKeyByte(*event);
    emit keyTyped(currentColumn(), currentRow(), key);
    if (SendsValue(key))
        return;
    QTableWidget::keyPressEvent(event);
}

static QString DraggedName(const QMimeData* data) {
    return data->hasText() ? data->text() : QString();
}

void WatchGrid::dragEnterEvent(QDragEnterEvent* event) {
    if (DraggedName(event->mimeData()).isEmpty())
        return;
    emit nameDragged(DraggedName(event->mimeData()));
    event->acceptProposedAction();
}

// The current cell follows the mouse over the name columns.
void WatchGrid::dragMoveEvent(QDragMoveEvent* event) {
    if (DraggedName(event->mimeData()).isEmpty())
        return;
    event->acceptProposedAction();
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.row() >= 1 && !IsWatchValueColumn(index.column()))
        setCurrentCell(index.row(), index.column());
}

void WatchGrid::dropEvent(QDropEvent* event) {
    const QString name = DraggedName(event->mimeData());
    const QModelIndex index = indexAt(event->position().toPoint());
    if (name.isEmpty() || !index.isValid())
        return;
    event->acceptProposedAction();
    emit nameDropped(index.column(), index.row(), name);
}

void WatchGrid::mousePressEvent(QMouseEvent* event) {
    afterDoubleClick_ = false;
    QTableWidget::mousePressEvent(event);
}

// The release that ends a double-click is no click of its own: in poke
// mode it would toggle the value just put in poke mode.
void WatchGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTableWidget::mouseReleaseEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid() && !afterDoubleClick_)
        emit cellClick(index.column(), index.row());
    afterDoubleClick_ = false;
}

void WatchGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid())
        return;
    afterDoubleClick_ = true;
    emit cellDoubleClick(index.column(), index.row());
}

WatchWindowView::WatchWindowView(WatchWindow& watch, ProjectLink& project, UserInterface& ui,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window), watch_(watch), project_(project), ui_(ui),
      grid_(new WatchGrid(this)), plot_(new TrendPlot(trend_, this)), logStatus_(new QLabel(this)) {
    setWindowTitle(WatchCaption);
    clockMs = [] { return QDateTime::currentMSecsSinceEpoch(); };
    timeText = [] {
        return QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss").toStdString();
    };

    auto* buttons = new QHBoxLayout;
    for (const char* caption : {ClearValuesCaption, ClearTableCaption, LogToCsvCaption}) {
        auto* button = new QPushButton(tr(caption), this);
        button->setObjectName(caption);
        buttons->addWidget(button);
    }
    buttons->addWidget(logStatus_, 1);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(grid_);
    splitter->addWidget(plot_);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    resize(600, grid_->minimumHeight() + plot_->sizeHint().height() + 60);

    connect(Button(ClearValuesCaption), &QPushButton::clicked, this, [this] {
        watch_.ClearValues();
        Refresh();
    });
    connect(Button(ClearTableCaption), &QPushButton::clicked, this, [this] {
        watch_.ClearTable();
        trend_.Clear();
        Refresh();
        plot_->update();
    });
    connect(Button(LogToCsvCaption), &QPushButton::clicked, this, &WatchWindowView::ChooseLogFile);

    connect(grid_, &WatchGrid::nameDragged, this,
            [this](const QString& name) { watch_.StartDrag(name.toStdString()); });
    connect(grid_, &WatchGrid::nameDropped, this, [this](int column, int row, const QString& name) {
        // A name dragged from elsewhere than the database lists.
        if (watch_.DraggedName() != name.toStdString())
            watch_.StartDrag(name.toStdString());
        watch_.Drop(column, row, project_);
        Refresh();
    });
    connect(grid_, &WatchGrid::cellClick, this, [this](int column, int row) {
        watch_.Click(column, row);
        Refresh();
    });
    connect(grid_, &WatchGrid::cellDoubleClick, this, [this](int column, int row) {
        watch_.DoubleClick(column, row);
        Refresh();
    });
    connect(grid_, &WatchGrid::keyTyped, this,
            [this](int column, int row, char key) { watch_.KeyPress(key, column, row); });
    connect(grid_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!refreshing_)
            watch_.SetCellText(item->column(), item->row(), item->text().toStdString());
    });
    watch_.SetReplyListener([this] { ReplyArrived(); });
    Refresh();
}

WatchWindowView::~WatchWindowView() {
    watch_.SetReplyListener(nullptr);
}

QPushButton* WatchWindowView::Button(const QString& caption) const {
    return findChild<QPushButton*>(caption);
}

bool WatchWindowView::Open() {
    if (!watch_.Open(project_))
        return false;
    Refresh();
    show();
    raise();
    activateWindow();
    return true;
}

void WatchWindowView::closeEvent(QCloseEvent* event) {
    if (watch_.IsOpen())
        watch_.Close();
    log_.Close();
    logStatus_->clear();
    event->accept();
}

// The grid shows the core's cells; value cells of slots in poke mode are
// yellow, and only value cells take typed text.
void WatchWindowView::Refresh() {
    refreshing_ = true;
    for (int row = 0; row < WatchGridRows; ++row)
        for (int column = 0; column < WatchGridColumns; ++column) {
            QTableWidgetItem* item = grid_->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                grid_->setItem(row, column, item);
            }
            const QString text = QString::fromStdString(watch_.Cell(column, row));
            if (item->text() != text && !grid_->Editing(item))
                item->setText(text);
            const bool value = row > 0 && IsWatchValueColumn(column);
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (value)
                flags |= Qt::ItemIsEditable;
            item->setFlags(flags);
            if (row == 0) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            const bool poke = value && watch_.PokeFlag(WatchSlotOfCell(column, row));
            item->setBackground(poke ? QBrush(Qt::yellow) : QBrush());
        }
    refreshing_ = false;
}

// Each reply is one poll: the grid, the trend and the log follow it.
void WatchWindowView::ReplyArrived() {
    Refresh();
    const std::vector<WatchSlotValue> values = WatchSlotValues(watch_);
    trend_.Add(clockMs(), values);
    plot_->update();
    if (!log_.IsOpen())
        return;
    const std::string failure = log_.Append(timeText(), values);
    if (!failure.empty()) {
        logStatus_->clear();
        ui_.ShowError(failure);
    }
}

void WatchWindowView::ChooseLogFile() {
    FileChoice choice;
    choice.Title = "Log to CSV";
    choice.ProposedName = "watch.csv";
    choice.Filter = "CSV Files...*.csv|*.csv|All Files...*.*|*.*";
    choice.DefaultExtension = "csv";
    const std::optional<std::string> path = ui_.ChooseSaveFile(choice);
    if (!path)
        return;
    const std::string failure = log_.Open(*path);
    if (!failure.empty()) {
        logStatus_->clear();
        ui_.ShowError(failure);
        return;
    }
    logStatus_->setText(tr("Logging to %1").arg(QString::fromStdString(*path)));
}

} // namespace k7
