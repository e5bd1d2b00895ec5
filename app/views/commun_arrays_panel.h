// The telemetry entry points of the library's "Commun." tab: "New Rx
// Array", "New Tx Array" and the two lists of messages in the project. A
// pick opens the TLM Workbox on that message.
#pragma once

#include "workspace/change_notices.h"

#include <QWidget>

class QListWidget;
class QPushButton;

namespace k7 {

class TlmWorkbox;
class Workspace;

class CommunArraysPanel : public QWidget {
    Q_OBJECT

  public:
    CommunArraysPanel(Workspace& workspace, TlmWorkbox& workbox, QWidget* parent = nullptr);

    // Fills the lists from the project's RX and TX array lists.
    void Reload();

    QPushButton* NewRxButton() const { return newRx_; }
    QPushButton* NewTxButton() const { return newTx_; }
    QListWidget* RxList() const { return rxList_; }
    QListWidget* TxList() const { return txList_; }

  signals:
    // The workbox was opened or moved to another message.
    void workboxOpened();

  private:
    Workspace& workspace_;
    ChangeSubscription changes_;
    TlmWorkbox& workbox_;
    QPushButton* newRx_ = nullptr;
    QPushButton* newTx_ = nullptr;
    QListWidget* rxList_ = nullptr;
    QListWidget* txList_ = nullptr;
};

} // namespace k7
