#include "app/shell/progress_panel_widget.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace k7 {

ProgressPanelWidget::ProgressPanelWidget(QWidget* parent)
    : QFrame(parent), caption_(new QLabel(this)), label_(new QLabel(this)),
      repeat_(new QLabel(this)), bar_(new QProgressBar(this)),
      cancel_(new QPushButton(tr("Cancel"), this)) {
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    for (QWidget* widget : {static_cast<QWidget*>(caption_), static_cast<QWidget*>(label_),
                            static_cast<QWidget*>(repeat_), static_cast<QWidget*>(bar_)})
        layout->addWidget(widget);
    layout->addWidget(cancel_, 0, Qt::AlignRight);
    bar_->setRange(0, 100);
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelRequested_ = true; });
    hide();
}

void ProgressPanelWidget::Show(bool visible) {
    setVisible(visible);
}
void ProgressPanelWidget::SetCaption(const std::string& caption) {
    caption_->setText(QString::fromStdString(caption));
    emit TextsChanged();
}
void ProgressPanelWidget::SetLabel(const std::string& label) {
    label_->setText(QString::fromStdString(label));
    emit TextsChanged();
}
void ProgressPanelWidget::SetRepeatLabel(const std::string& label) {
    repeat_->setText(QString::fromStdString(label));
    emit TextsChanged();
}
void ProgressPanelWidget::SetPosition(int percent) {
    bar_->setValue(percent);
}

void ProgressPanelWidget::SetBarColour(BarColour colour) {
    switch (colour) {
    case BarColour::Normal:
        bar_->setStyleSheet(QString());
        break;
    case BarColour::Red:
        bar_->setStyleSheet("QProgressBar::chunk { background: red; }");
        break;
    case BarColour::Green:
        bar_->setStyleSheet("QProgressBar::chunk { background: green; }");
        break;
    }
}

void ProgressPanelWidget::SetStatusMessage(const std::string& message) {
    if (onStatusMessage)
        onStatusMessage(message);
}

// The running work calls this between steps: input is processed so the
// Cancel button can be pressed; every other command is disabled meanwhile.
bool ProgressPanelWidget::CancelRequested() {
    QApplication::processEvents();
    if (onPoll)
        onPoll();
    return cancelRequested_;
}

void ProgressPanelWidget::Reset() {
    cancelRequested_ = false;
    bar_->setValue(0);
    SetBarColour(BarColour::Normal);
}

QString ProgressPanelWidget::CaptionText() const {
    return caption_->text();
}
QString ProgressPanelWidget::LabelText() const {
    return label_->text();
}
QString ProgressPanelWidget::RepeatLabelText() const {
    return repeat_->text();
}
int ProgressPanelWidget::Position() const {
    return bar_->value();
}

} // namespace k7
