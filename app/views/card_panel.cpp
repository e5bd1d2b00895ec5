#include "app/views/card_panel.h"

#include "app/widgets/card_face.h"
#include "workspace/instance_editor.h"
#include "workspace/workspace.h"

#include <QComboBox>
#include <QDrag>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMimeData>
#include <QScrollArea>
#include <QVBoxLayout>

namespace k7 {

static QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

CardList::CardList(Workspace& workspace, const CardPanel& panel, QWidget* parent)
    : QListWidget(parent), workspace_(workspace), panel_(panel) {
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    for (const std::string& entry : CardListEntries())
        addItem(Text(entry));
}

QMimeData* CardList::DragData(int row) const {
    const QListWidgetItem* entry = item(row);
    if (!entry)
        return nullptr;
    const std::optional<int> code =
        StartCardDrag(entry->text().toStdString(), panel_, workspace_.Ui());
    if (!code)
        return nullptr;
    auto* data = new QMimeData;
    data->setData(CardDragMimeType, QByteArray::number(*code));
    return data;
}

void CardList::startDrag(Qt::DropActions) {
    QMimeData* data = DragData(currentRow());
    if (!data)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
}

CardPanelView::CardPanelView(Workspace& workspace, InstanceEditor& editor, QWidget* parent)
    : QWidget(parent), workspace_(workspace), editor_(editor) {
    auto* title = new QLabel(tr(CardPanelTitle));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    unit_ = new QComboBox;
    unit_->addItems({"K7", "K3"});
    unit_->setObjectName("UnitType");
    lcd_ = new QComboBox;
    lcd_->addItems({"Large", "Small"});
    lcd_->setObjectName("LcdType");
    cage_ = new QComboBox;
    for (int cage = 1; cage <= CageCount; ++cage)
        cage_->addItem(QString::number(cage));
    cage_->setObjectName("Cage");
    cards_ = new CardList(workspace_, panel_);
    cards_->setMaximumWidth(190);
    note_ = new QLabel;
    note_->setWordWrap(true);

    auto* choices = new QHBoxLayout;
    choices->addWidget(title);
    choices->addSpacing(12);
    choices->addWidget(new QLabel(tr("Unit type:")));
    choices->addWidget(unit_);
    choices->addWidget(new QLabel(tr("LCD:")));
    choices->addWidget(lcd_);
    choices->addWidget(new QLabel(tr("Card cage:")));
    choices->addWidget(cage_);
    choices->addStretch(1);

    auto* cage = new QWidget;
    auto* row = new QHBoxLayout(cage);
    row->setSpacing(3);
    for (int slot = 0; slot < SlotCount; ++slot) {
        faces_[slot] = new CardFace(slot);
        row->addWidget(faces_[slot], 0, Qt::AlignTop);
        connect(faces_[slot], &CardFace::cardDropped, this,
                [this](int at, int code, DropTarget target) {
                    if (PlaceCard(workspace_, panel_, at, code, target))
                        Redraw();
                });
        connect(faces_[slot], &CardFace::lineClicked, this, &CardPanelView::LineClicked);
    }
    row->addStretch(1);
    auto* scroll = new QScrollArea;
    scroll->setWidget(cage);
    scroll->setWidgetResizable(true);

    auto* body = new QHBoxLayout;
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel(tr("Cards (drag onto a slot):")));
    listColumn->addWidget(cards_);
    body->addLayout(listColumn);
    body->addWidget(scroll, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(body, 1);
    layout->addWidget(note_);

    connect(unit_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (loading_)
            return;
        SetUnitType(workspace_, panel_, index == 1 ? UnitType::K3 : UnitType::K7);
        Redraw();
    });
    connect(lcd_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (loading_)
            return;
        SetLcdType(workspace_, panel_, index == 1 ? LcdType::Small : LcdType::Large);
        Redraw();
    });
    connect(cage_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (loading_)
            return;
        panel_.SelectedCage = index + 1;
        Redraw();
    });
    chooseModule = [this](const std::string& title, const std::vector<std::string>& names) {
        QStringList items;
        for (const std::string& name : names)
            items << Text(name);
        bool ok = false;
        const QString chosen =
            QInputDialog::getItem(this, Text(title), Text(title), items, 0, false, &ok);
        return ok ? std::optional<std::string>(chosen.toStdString()) : std::nullopt;
    };
    // Cards, the unit type and the bound I/O instances are what it shows.
    changes_ = workspace_.notices.Subscribe([this](ProjectPart part) {
        if (part == ProjectPart::Cards || part == ProjectPart::Modules ||
            part == ProjectPart::WholeProject)
            Redraw();
    });
    Redraw();
}

void CardPanelView::Redraw() {
    shown_ = DrawCage(workspace_.project, workspace_.library, panel_);
    loading_ = true;
    unit_->setCurrentIndex(workspace_.project.Unit == UnitType::K3 ? 1 : 0);
    lcd_->setCurrentIndex(workspace_.project.Lcd == LcdType::Small ? 1 : 0);
    lcd_->setEnabled(panel_.LcdChoiceEnabled);
    cage_->setCurrentIndex(panel_.SelectedCage - 1);
    cage_->setEnabled(panel_.CageChoiceEnabled);
    loading_ = false;
    note_->setText(Text(shown_.Note));
    note_->setVisible(!shown_.Note.empty());
    for (int slot = 0; slot < SlotCount; ++slot)
        faces_[slot]->Show(shown_.Slots[slot]);
}

void CardPanelView::LineClicked(int slot, int line) {
    const IoPick pick = PickIoPoint(workspace_.project, shown_, slot, line);
    bool opened = false;
    if (pick.Action == IoPickAction::OpenInstance) {
        opened = editor_.OpenExistingInstance(pick.Instance, EditorMode::Edit,
                                              EditorOrigin::CardChannel);
    } else if (pick.Action == IoPickAction::ChooseModule) {
        // An analog output has one module type and no question.
        std::optional<std::string> chosen;
        if (pick.ChoiceTitle.empty() && pick.Choices.size() == 1)
            chosen = pick.Choices.front();
        else if (chooseModule)
            chosen = chooseModule(pick.ChoiceTitle, pick.Choices);
        // Cancelling the choice leaves the panel as it was.
        if (chosen)
            opened = editor_.OpenNewInstance(*chosen, pick.Point);
    }
    if (opened)
        emit editorOpened();
}

void CardPanelView::showEvent(QShowEvent* event) {
    panel_.Visible = true;
    Redraw();
    QWidget::showEvent(event);
}

void CardPanelView::hideEvent(QHideEvent* event) {
    panel_.Visible = false;
    QWidget::hideEvent(event);
}

} // namespace k7
