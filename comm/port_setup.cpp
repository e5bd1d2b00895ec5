#include "comm/port_setup.h"

#include "workspace/settings.h"

#include <cctype>

namespace k7 {

SerialChoices SerialChoicesOf(const WorkspaceSettings& settings) {
    SerialChoices choices;
    choices.PortIndex = settings.PortIndex;
    choices.BaudIndex = settings.BaudIndex;
    choices.ProtocolIndex = settings.ProtocolIndex;
    choices.ParityIndex = settings.ParityIndex;
    choices.WordLengthIndex = settings.WordLengthIndex;
    return choices;
}

int PortOfChoice(int portIndex) {
    return portIndex >= 0 && portIndex < 99 ? portIndex + 1 : 1;
}

TBaudRate BaudRateOfChoice(int baudIndex) {
    // 600 baud and the rates above 38,400 are not offered.
    static constexpr TBaudRate offered[] = {
        TBaudRate::br300,  TBaudRate::br1200,  TBaudRate::br2400, TBaudRate::br4800,
        TBaudRate::br9600, TBaudRate::br19200, TBaudRate::br38400};
    return baudIndex >= 0 && baudIndex < 7 ? offered[baudIndex] : TBaudRate::br9600;
}

TParity ParityOfChoice(int parityIndex) {
    static constexpr TParity offered[] = {TParity::pNone, TParity::pOdd, TParity::pEven,
                                          TParity::pMark};
    return parityIndex >= 0 && parityIndex < 4 ? offered[parityIndex] : TParity::pNone;
}

TDataBits DataBitsOfChoice(int wordLengthIndex) {
    static constexpr TDataBits offered[] = {TDataBits::db5, TDataBits::db6, TDataBits::db7,
                                            TDataBits::db8};
    return wordLengthIndex >= 0 && wordLengthIndex < 4 ? offered[wordLengthIndex] : TDataBits::db8;
}

namespace {

std::string Lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

template <std::size_t N>
int IndexOfLabel(const std::array<const char*, N>& labels, const std::string& label) {
    for (std::size_t i = 0; i < N; ++i) {
        std::string offered = labels[i];
        std::erase(offered, ',');
        if (Lowered(offered) == Lowered(label) || labels[i] == label)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

int BaudIndexOf(const std::string& label) {
    return IndexOfLabel(BaudChoiceLabels, label);
}

int ParityIndexOf(const std::string& label) {
    return IndexOfLabel(ParityChoiceLabels, label);
}

int WordLengthIndexOf(const std::string& label) {
    return IndexOfLabel(WordLengthChoiceLabels, label);
}

void ChoosePort(TSeComm32& port, SerialChoices& choices, const std::string& name) {
    const int number = ComPortNumber(name);
    if (number > 0) {
        port.SetDevicePath("");
        choices.PortIndex = number - 1;
    } else {
        port.SetDevicePath(name);
    }
}

bool SetupPort(TSeComm32& port, ReceivePump& pump, const SerialChoices& choices) {
    pump.ClearAccumulator();
    // Closed first so that the settings below are only stored: an open port
    // would otherwise reopen (and could ask Abort or Retry) once per setting.
    port.ClosePort();
    port.SetPort(PortOfChoice(choices.PortIndex));
    port.SetDataBits(DataBitsOfChoice(choices.WordLengthIndex));
    port.SetParity(ParityOfChoice(choices.ParityIndex));
    port.SetBaudRate(BaudRateOfChoice(choices.BaudIndex));
    if (!port.OpenPort()) {
        port.ClosePort();
        return false;
    }
    if (port.CharCount() > 0)
        port.ReadString();
    pump.Start();
    return true;
}

} // namespace k7
