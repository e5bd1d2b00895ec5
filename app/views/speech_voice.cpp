#include "app/views/speech_voice.h"

#ifndef K7_NO_TEXT_TO_SPEECH
#include <QTextToSpeech>
#endif

namespace k7 {

namespace {

#ifdef K7_NO_TEXT_TO_SPEECH
class QtVoice : public SpeechVoice {
  public:
    std::string Unavailable() const override {
        return "This build of K7 Studio has no speech engine.";
    }
    void Say(const std::string&) override {}
};
#else

class QtVoice : public SpeechVoice {
  public:
    QtVoice() {
        if (!QTextToSpeech::availableEngines().isEmpty())
            speech_ = std::make_unique<QTextToSpeech>();
    }
    std::string Unavailable() const override {
        if (!speech_)
            return "No speech engine is installed on this workstation.";
        if (speech_->state() == QTextToSpeech::Error)
            return "The speech engine does not answer: " + speech_->errorString().toStdString();
        return {};
    }
    void Say(const std::string& text) override {
        if (Unavailable().empty())
            speech_->say(QString::fromStdString(text));
    }

  private:
    std::unique_ptr<QTextToSpeech> speech_;
};
#endif

} // namespace

std::unique_ptr<SpeechVoice> MakeWorkstationVoice() {
    return std::make_unique<QtVoice>();
}

} // namespace k7
