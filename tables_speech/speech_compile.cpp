#include "tables_speech/speech_compile.h"

#include "compiler/compile_context.h"
#include "tables_speech/speech_report.h"
#include "workspace/record_list.h"
#include "workspace/linescan.h"
#include "workspace/project.h"

#include <optional>

namespace k7 {

namespace {

constexpr uint32_t ReportMarker = 0x2336;
constexpr uint32_t LineMarker = 0x2337;
constexpr uint32_t ReportHeaderBytes = 56;
constexpr int SpeechDialerCard = 3;
// The enable cell and the first 13 phrase cells; the fourteenth is stored
// but not spoken.
constexpr int CompiledCells = 14;

std::string Line(uint32_t address, const std::vector<std::string>& words) {
    std::string line = HexText(address) + "|";
    for (const std::string& word : words)
        line += word + "|";
    return line + "\\";
}

class SpeechWriter {
  public:
    explicit SpeechWriter(CompileContext& context) : context_(context) {}

    void Header(const std::string& line) {
        Finish();
        header_ = ParseSpeechHeader(line);
        headerAddress_ = context_.FlashCursor;
        context_.FlashCursor += ReportHeaderBytes;
        lineRecords_.clear();
        if (!BoardHoldsDialer())
            context_.ReportInPass2("Wrong board number referenced in speech report " +
                                   header_->Name);
    }

    // False once a delimiter error ended the step for this pass.
    bool ReportLine(const std::string& text) {
        if (!header_)
            return true; // a line before the first report belongs to none
        const SpeechLine cells = ParseSpeechLine(text);
        std::vector<std::string> words;
        for (int i = 0; i < CompiledCells; ++i) {
            const SpeechCell cell = ParseSpeechCell(cells[static_cast<size_t>(i)]);
            if (cell.Kind == SpeechCellKind::Undelimited) {
                context_.ReportInPass2("Delimiter error in speech report " + header_->Name);
                return false;
            }
            if (i == 0) {
                if (!EnableWords(cell, cells[0], words))
                    break;
                continue;
            }
            if (cell.Kind == SpeechCellKind::Empty)
                break;
            PhraseWords(cell, words);
        }
        const uint32_t address = context_.FlashCursor;
        const uint32_t next = address + 4 * static_cast<uint32_t>(words.size() + 3);
        words.insert(words.begin(), {HexText(LineMarker), HexText(next)});
        words.emplace_back(); // the empty word that ends the line
        lineRecords_.push_back(Line(address, words));
        context_.FlashCursor = next;
        return true;
    }

    // The header record, once the report's last line is known, then its lines.
    void Finish() {
        if (!header_)
            return;
        const std::string& name = header_->Name;
        const std::vector<std::string> words = {
            HexText(ReportMarker),           HexText(headerAddress_ + ReportHeaderBytes),
            HexText(context_.FlashCursor),   HexText(BoardNumber().value_or(0)),
            Resolve(header_->Trigger),       Resolve(header_->Stop),
            Resolve(header_->LineTrigger),   Resolve(header_->LineSelect),
            Resolve(header_->ScanTrigger),   Resolve(name + ".Seq"),
            Resolve(name + ".Imgend"),       Resolve("@" + name + ".DunTrg"),
            Resolve("@" + name + ".ChgTrg"), Resolve(name + ".HavAlrm"),
        };
        if (DownloadImage* image = context_.PassImage()) {
            image->Add(Line(headerAddress_, words));
            for (const std::string& line : lineRecords_)
                image->Add(line);
        }
        header_.reset();
        lineRecords_.clear();
    }

  private:
    std::optional<uint32_t> BoardNumber() const {
        int32_t board = 0;
        if (!ParseDecimal(header_->Board, board) || board < 1 || board > 8)
            return std::nullopt;
        return static_cast<uint32_t>(board);
    }

    bool BoardHoldsDialer() const {
        const std::optional<uint32_t> board = BoardNumber();
        return board && context_.project.Cards.At(1, static_cast<int>(*board)) == SpeechDialerCard;
    }

    // An empty field names nothing and gives an empty word.
    std::string Resolve(const std::string& name) {
        if (name.empty())
            return {};
        const std::string word = LookupName(context_, name);
        if (word.empty())
            context_.ReportInPass2("Cannot find " + name + " in speech report " + header_->Name);
        return word;
    }

    // The enable cell names a variable (its format is not used); false
    // when the line ends here.
    bool EnableWords(const SpeechCell& cell, const std::string& text,
                     std::vector<std::string>& words) {
        switch (cell.Kind) {
        case SpeechCellKind::Empty:
            words.emplace_back();
            return true;
        case SpeechCellKind::Phrase:
            context_.ReportInPass2("Cannot find " + text + " in speech report " + header_->Name);
            words.emplace_back();
            return false;
        default:
            words.push_back(Resolve(cell.Variable));
            return true;
        }
    }

    void PhraseWords(const SpeechCell& cell, std::vector<std::string>& words) {
        switch (cell.Kind) {
        case SpeechCellKind::Phrase:
            words.push_back(HexText(cell.Phrase));
            break;
        case SpeechCellKind::SpokenNumber: {
            words.push_back(Resolve(cell.Variable));
            const FormatDigits digits = CountFormatDigits(cell.Format);
            // Each count is one byte of the format word.
            if (digits.Before > 255 || digits.After > 255) {
                context_.ReportInPass2("Format too long in speech report " + header_->Name);
                words.emplace_back();
            } else {
                words.push_back(HexText(FormatWord(cell.Format)));
            }
            break;
        }
        case SpeechCellKind::PhraseSelector:
            words.push_back(Resolve(cell.Variable));
            words.push_back(HexText(cell.Phrase));
            break;
        default:
            break;
        }
    }

    CompileContext& context_;
    std::optional<SpeechHeader> header_;
    uint32_t headerAddress_ = 0;
    std::vector<std::string> lineRecords_;
};

} // namespace

void CompileSpeechSection(CompileContext& context) {
    SpeechWriter writer(context);
    for (const std::string& line : context.project.SpeechReports) {
        if (line.size() < 2)
            continue;
        if (IsRecordHeader(line)) {
            writer.Header(line);
            continue;
        }
        // A delimiter error ends the step: no further records, and the
        // current report's header is not written.
        if (!writer.ReportLine(line))
            return;
    }
    writer.Finish();
}

} // namespace k7
