#include "comm/port_map.h"

namespace k7 {

PortMap::PortMap(TSeComm32& port, std::string mapFile, std::string virtualUnitProgram)
    : Port(port), File(std::move(mapFile)), Simulated(std::move(virtualUnitProgram)) {}

std::string PortMap::Load() {
    PortNameTable read;
    const std::string problem = LoadPortNames(File, read);
    if (problem.empty()) {
        Names = read;
        Port.SetPortNames(Names);
    }
    return problem;
}

std::string PortMap::SetDevice(int comPort, const std::string& device) {
    Names.SetDevice(comPort, device);
    Port.SetPortNames(Names);
    return SavePortNames(File, Names);
}

void PortMap::UseComPort() {
    const bool onSimulator =
        !Simulated.DevicePath().empty() && Port.DevicePath() == Simulated.DevicePath();
    if (onSimulator)
        Port.SetDevicePath("");
    Simulated.Stop();
}

std::string PortMap::UseVirtualUnit() {
    const std::string problem = Simulated.Start();
    if (problem.empty())
        Port.SetDevicePath(Simulated.DevicePath());
    return problem;
}

bool PortMap::VirtualUnitInUse() {
    return Simulated.Running() && Port.DevicePath() == Simulated.DevicePath();
}

} // namespace k7
