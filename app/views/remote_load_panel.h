// The "Send Program to Remote" panel: the route through the local unit to
// the remote one. "Start" hands the seven fields on (the load checks their
// ranges); its Cancel hides the panel.
#pragma once

#include "comm/load_sequence.h"

#include <QFrame>
#include <array>
#include <functional>

class QLineEdit;
class QPushButton;

namespace k7 {

class RemoteLoadPanel : public QFrame {
    Q_OBJECT

  public:
    explicit RemoteLoadPanel(QWidget* parent = nullptr);

    // The fields as numbers; a field that holds no number gives -1, which
    // the load refuses with its range message.
    RemoteLoadParams Params() const;
    void SetParams(const RemoteLoadParams& params);

    QLineEdit* Field(const QString& caption) const;
    QPushButton* StartButton() const { return start_; }
    QPushButton* CancelButton() const { return cancel_; }

    std::function<void(const RemoteLoadParams&)> onStart;

  private:
    std::array<QLineEdit*, 7> fields_{};
    QPushButton* start_;
    QPushButton* cancel_;
};

} // namespace k7
