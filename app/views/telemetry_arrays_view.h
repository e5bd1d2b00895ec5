// The whole TX and RX arrays, read only, under their titles: the person
// edits them one message at a time in the TLM Workbox.
#pragma once

#include "workspace/change_notices.h"

#include <QWidget>

class QTableWidget;

namespace k7 {

struct TTlmArray;
class Workspace;

class TelemetryArraysView : public QWidget {
    Q_OBJECT

  public:
    explicit TelemetryArraysView(Workspace& workspace, QWidget* parent = nullptr);
    void Reload();
    QTableWidget* TxGrid() const { return tx_; }
    QTableWidget* RxGrid() const { return rx_; }

  private:
    static void Fill(QTableWidget* grid, const TTlmArray& array);

    Workspace& workspace_;
    ChangeSubscription changes_;
    QTableWidget* tx_ = nullptr;
    QTableWidget* rx_ = nullptr;
};

} // namespace k7
