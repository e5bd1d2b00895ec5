// The Communications Setup panel: port, baud rate, protocol, parity and
// word length. A choice takes effect in the settings at once and reaches
// the port at its next set-up; closing the panel writes the settings file.
// Below them, the device the chosen COM port opens (from the serial devices
// present, or typed) and "Virtual unit", which starts the simulator and
// uses its line until a port is chosen again.
#pragma once

#include "workspace/workspace.h"

#include "comm/serial_devices.h"

#include <QWidget>
#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace k7 {

class CommunicationsSetupPanel : public QWidget {
    Q_OBJECT

  public:
    CommunicationsSetupPanel(Workspace& workspace, QWidget* parent = nullptr);
    void Load();
    // The button that closes the panel: writes the settings.
    void CloseClick();

    // The radio button captioned text in the group titled title.
    QRadioButton* Choice(const QString& title, const QString& text) const;

    // Lists the serial devices present again.
    void RefreshDevices();
    // The virtual unit's line, or off when empty.
    void ShowVirtualUnit(const std::string& devicePath);
    QComboBox* DeviceBox() const { return device_; }
    QCheckBox* VirtualUnitBox() const { return virtual_; }
    QLabel* DeviceCaption() const { return deviceCaption_; }
    QLabel* VirtualUnitStatus() const { return virtualStatus_; }

    // Reads the folders the device list comes from.
    FolderReader folderReader = ReadFolderNames;
    // The device COMn opens now.
    std::function<std::string(int)> deviceFor;
    // COMn is to open device (from the list or typed).
    std::function<void(int, const std::string&)> onDeviceChosen;
    // A port choice was made (the virtual unit stops).
    std::function<void()> onPortChosen;
    // "Virtual unit" was ticked or cleared; the window answers with
    // ShowVirtualUnit.
    std::function<void(bool)> onVirtualUnit;

  private:
    void ShowDeviceOfPort();

    Workspace& workspace_;
    std::array<QButtonGroup*, 5> groups_{};
    QLabel* deviceCaption_ = nullptr;
    QComboBox* device_ = nullptr;
    QCheckBox* virtual_ = nullptr;
    QLabel* virtualStatus_ = nullptr;
};

} // namespace k7
