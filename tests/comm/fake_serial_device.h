// A serial device for tests: the test fills its input queue and reads what
// was written, and can make it fail in the ways real devices do.
#pragma once

#include "comm/serial_platform.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace k7::test {

// The line's state lives apart from the device, which the port owns.
struct FakeLine {
    std::string Input;   // bytes waiting to be read
    std::string Written; // everything written so far
    std::vector<std::string> OpenedPaths;
    std::set<std::string> MissingDevices; // paths that cannot be opened
    std::optional<LineSettings> Settings; // the last configuration
    bool Open = false;
    bool Gone = false;            // the device went away
    bool RefusesSettings = false; // Configure fails, as a driver may
    long WriteLimit = -1;         // bytes a write takes at most; -1 takes all
    int ReadCalls = 0;
    int PurgeCalls = 0;
    std::function<void()> DuringRead; // runs inside Read
};

class FakeSerialDevice : public SerialDevice {
  public:
    explicit FakeSerialDevice(FakeLine& line) : Line(line) {}

    bool Open(const std::string& path, std::string& reason) override {
        Line.OpenedPaths.push_back(path);
        if (Line.MissingDevices.count(path)) {
            reason = "No such file or directory";
            return false;
        }
        Line.Open = true;
        Line.Gone = false;
        return true;
    }
    void Close() override { Line.Open = false; }
    bool IsOpen() const override { return Line.Open; }
    bool Configure(const LineSettings& settings) override {
        if (Line.RefusesSettings)
            return false;
        Line.Settings = settings;
        return true;
    }
    long BytesWaiting() override {
        if (Line.Gone)
            return -1;
        return static_cast<long>(Line.Input.size());
    }
    std::string Read(std::size_t count) override {
        ++Line.ReadCalls;
        if (Line.DuringRead)
            Line.DuringRead();
        const std::string bytes = Line.Input.substr(0, count);
        Line.Input.erase(0, bytes.size());
        return bytes;
    }
    long Write(std::string_view bytes) override {
        if (Line.Gone)
            return -1;
        std::size_t take = bytes.size();
        if (Line.WriteLimit >= 0 && take > static_cast<std::size_t>(Line.WriteLimit))
            take = static_cast<std::size_t>(Line.WriteLimit);
        Line.Written.append(bytes.substr(0, take));
        return static_cast<long>(take);
    }
    void Purge() override {
        ++Line.PurgeCalls;
        Line.Input.clear();
    }

  private:
    FakeLine& Line;
};

} // namespace k7::test
