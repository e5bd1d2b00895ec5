// The seam between the speech page and the workstation's speech engine:
// one call speaks a whole text. Tests give their own voice; the desktop
// uses Qt TextToSpeech when an engine answers.
#pragma once

#include <memory>
#include <string>

namespace k7 {

class SpeechVoice {
  public:
    virtual ~SpeechVoice() = default;
    // Empty when the voice can speak; otherwise why it cannot.
    virtual std::string Unavailable() const = 0;
    virtual void Say(const std::string& text) = 0;
};

// Qt TextToSpeech's default engine, or a voice that explains its absence.
std::unique_ptr<SpeechVoice> MakeWorkstationVoice();

} // namespace k7
