// The system's side of a download on a fake clock and a scripted line: the
// test decides, frame by frame, what the unit answers, and reads back every
// byte the sequence sent and every line of the terminal.
#pragma once

#include "comm/crc16.h"
#include "comm/load_sequence.h"
#include "comm/timer_queue.h"
#include "tests/comm/fake_serial_device.h"
#include "tests/support/scripted_ui.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace k7::test {

// A compiled image with every kind of marker line, and what the unit's
// flash loader must receive of it, written out by hand: the markers the
// unit loads as two characters, the others left out, data lines unchanged.
inline std::vector<std::string> MarkerImage() {
    return {"#0 File name...|\\",
            "40000|PUMP.TVR  01/02/2024 10:00:00       |\\",
            "#1 Sys ptrs...Modules|dsps|Tx|Rx|Tmrs|#tmrs|Trigs|#trigs|"
            "UtypeDtype#brds|ComBufDef|Tbls|\\",
            "40028|40098|400D4|400D4|400D4|40F00C|0|40F010|2|700|400D4|400D4|\\",
            "#2 Cards...|\\",
            "40054|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|\\",
            "#3 Constants...|\\",
            "40094|0|\\",
            "#4 Modules...|\\",
            "40098|39|400D4|||||||||||240F010|A40F010|240F000|\\",
            "#5 Ladder...|\\",
            "#6 Tx...|\\",
            "#7 Rx...|\\",
            "#8 Displays...|\\",
            "#9 Com buffer def, TX then RX...|\\",
            "#A Table def...|\\",
            "#B Speech...|\\",
            "#C Basic...|\\",
            "#D End of file",
            "400D4|232F|400DC|\\"};
}

inline std::vector<std::string> MarkerImageAsSent() {
    return {"#0",
            "40000|PUMP.TVR  01/02/2024 10:00:00       |\\",
            "#1",
            "40028|40098|400D4|400D4|400D4|40F00C|0|40F010|2|700|400D4|400D4|\\",
            "40054|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|\\",
            "#3",
            "40094|0|\\",
            "#4",
            "40098|39|400D4|||||||||||240F010|A40F010|240F000|\\",
            "#8",
            "#9",
            "400D4|232F|400DC|\\"};
}

// A frame as the unit's documentation writes it: header, data, CRC.
inline std::string Frame(std::uint8_t start, std::uint8_t command, std::uint8_t a, std::uint8_t b,
                         const std::string& data) {
    std::string frame;
    frame += static_cast<char>(start);
    frame += static_cast<char>(data.size() + 7);
    frame += static_cast<char>(command);
    frame += static_cast<char>(a);
    frame += static_cast<char>(b);
    frame += data;
    const std::uint16_t crc = Crc16(frame);
    frame += static_cast<char>(crc >> 8);
    frame += static_cast<char>(crc & 0xFF);
    return frame;
}

inline std::string Control(std::uint8_t argument) {
    return Frame(0xC8, 0x30, 0, 0, std::string(1, static_cast<char>(argument)));
}
inline std::string Line(const std::string& text) {
    return Frame(0xC8, 0x90, 0, 0, text);
}
inline std::string UnitReply(std::uint8_t status) {
    return Frame(0xC9, 0x00, 0, 0, std::string(1, static_cast<char>(status)));
}

// What went out, cut into frames (from a start byte, by their length byte)
// and single bytes.
inline std::vector<std::string> SplitSent(const std::string& written) {
    std::vector<std::string> items;
    std::size_t at = 0;
    while (at < written.size()) {
        const auto byte = static_cast<unsigned char>(written[at]);
        if (byte == 0xC8 && at + 1 < written.size()) {
            const std::size_t length = static_cast<unsigned char>(written[at + 1]);
            items.push_back(written.substr(at, length));
            at += length;
        } else {
            items.push_back(written.substr(at, 1));
            at += 1;
        }
    }
    return items;
}

// The data of the program-line frames among the sent items.
inline std::vector<std::string> SentProgramLines(const std::vector<std::string>& items) {
    std::vector<std::string> lines;
    for (const auto& item : items)
        if (item.size() >= 8 && static_cast<unsigned char>(item[2]) == 0x90)
            lines.push_back(item.substr(5, item.size() - 7));
    return lines;
}

struct RecordingView : LoadView {
    bool ProgressVisible = false;
    std::vector<std::string> Captions, Labels, RepeatLabels;
    std::vector<int> Positions;
    bool TerminalShown = false;
    std::string Text;
    void ShowProgress(bool visible) override { ProgressVisible = visible; }
    void SetProgressCaption(const std::string& caption) override { Captions.push_back(caption); }
    void SetProgressLabel(const std::string& label) override { Labels.push_back(label); }
    void SetRepeatLabel(const std::string& label) override { RepeatLabels.push_back(label); }
    void SetProgressPosition(int percent) override { Positions.push_back(percent); }
    void ShowTerminalPage(bool visible) override { TerminalShown = visible; }
    void TerminalTextAdded(const std::string& text) override { Text += text; }
};

// A project whose image is given by the test.
struct FixedProject : ProjectLink {
    bool Present = true;
    std::optional<std::vector<std::string>> Image;
    std::map<std::string, std::string> Addresses;
    bool Compiles = true;
    bool ProjectPresent() override { return Present; }
    std::optional<std::vector<std::string>> ImageToSend() override { return Image; }
    bool CompileIfNeeded() override { return Compiles; }
    std::string LookupName(const std::string& name) override {
        const auto found = Addresses.find(name);
        return found == Addresses.end() ? std::string() : found->second;
    }
};

// The unit's answer to one frame: reply bytes, or nothing.
using Answerer = std::function<std::optional<std::string>(const std::string& frame)>;

inline Answerer AnswerAll(std::uint8_t status = 0x01) {
    return [status](const std::string&) { return UnitReply(status); };
}

class LoadHarness {
  public:
    explicit LoadHarness(Answerer answer = AnswerAll())
        : Answer(std::move(answer)), Port(Ui, std::make_unique<FakeSerialDevice>(Wire)),
          Pump(Port, Timers.CreateTimer()),
          Sequence(Port, Pump, Screen, Timers.CreateTimer(), Ui, View) {
        Port.SetDevicePath("/dev/ttyFAKE");
    }

    // The unit prints its identification line when it first hears from us.
    void GreetWith(const std::string& version) {
        Greeting = "\r\nRevision Version " + version + "\r\n";
    }

    // Runs the fake clock a millisecond at a time, answering each frame as
    // soon as it is written, until the sequence stops or limitMs pass.
    void Run(int limitMs = 600000) {
        for (int ms = 0; ms < limitMs && Sequence.Running(); ++ms) {
            Timers.Advance(1);
            AnswerNewBytes();
        }
    }
    void RunFor(int ms) {
        for (int i = 0; i < ms; ++i) {
            Timers.Advance(1);
            AnswerNewBytes();
        }
    }

    std::vector<std::string> Sent() const { return SplitSent(Wire.Written); }
    std::vector<std::string> TerminalLines() const { return Screen.Lines(); }
    int Count(const std::string& item) const {
        int n = 0;
        for (const auto& sent : Sent())
            n += sent == item;
        return n;
    }

    FakeLine Wire;
    ScriptedUi Ui;
    RecordingView View;
    Answerer Answer;
    std::string Greeting;
    std::vector<std::int64_t> FrameTimes; // when each frame went out
    TSeComm32 Port;
    TimerQueue Timers;
    ReceivePump Pump;
    Terminal Screen;
    LoadSequence Sequence;

  private:
    void AnswerNewBytes() {
        while (Seen < Wire.Written.size()) {
            const auto byte = static_cast<unsigned char>(Wire.Written[Seen]);
            if (byte == 0xC8 && Seen + 1 < Wire.Written.size()) {
                const std::size_t length = static_cast<unsigned char>(Wire.Written[Seen + 1]);
                const std::string frame = Wire.Written.substr(Seen, length);
                Seen += length;
                FrameTimes.push_back(Timers.Now());
                if (auto reply = Answer(frame))
                    Wire.Input += *reply;
            } else {
                Seen += 1;
                if (!Greeted && !Greeting.empty()) {
                    Greeted = true;
                    Wire.Input += Greeting;
                }
            }
        }
    }

    std::size_t Seen = 0;
    bool Greeted = false;
};

} // namespace k7::test
