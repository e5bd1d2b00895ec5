// The telemetry section: the rows of the TX and RX arrays, one line each,
// an empty line before each new message.
#include "docgen/doc_intro.h"
#include "docgen/doc_sections.h"

namespace k7 {

static void WriteRows(const TTlmArray& array, DocLines& out) {
    std::string port, source, dest; // of the row written last; empty before the first
    for (int r = 1; r < array.RowCount(); ++r) {
        const TTlmRow& row = array.Rows[r];
        if (row[TlmWord].empty())
            continue;
        if (row[TlmPort] != port || row[TlmSource] != source || row[TlmDest] != dest)
            out.push_back("");
        port = row[TlmPort];
        source = row[TlmSource];
        dest = row[TlmDest];
        std::string line = "  Port=" + row[TlmPort] + "  Src=" + row[TlmSource] +
                           "  Dest=" + row[TlmDest] + "  Wd=" + row[TlmWord] +
                           "  Bit=" + row[TlmBit] + "  " + row[TlmName];
        line = PadRight(line, 60) + "  Mult=" + row[TlmMult];
        out.push_back(PadRight(line, 70) + "  " + row[TlmType]);
    }
}

void WriteTelemetrySection(const DocSource& source, DocLines& out) {
    AppendIntroBlock(source.intro, 'T', out);
    const Project& project = source.project;
    if (project.TxArray.RowCount() < 3)
        return;
    out.push_back("TX ARRAYS:");
    WriteRows(project.TxArray, out);
    if (project.RxArray.RowCount() >= 3) {
        out.push_back("");
        out.push_back("RX ARRAYS:");
        WriteRows(project.RxArray, out);
    }
}

} // namespace k7
