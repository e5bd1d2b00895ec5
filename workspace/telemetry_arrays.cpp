#include "workspace/telemetry_arrays.h"

#include "workspace/linescan.h"

#include <algorithm>

namespace k7 {

void CompactArray(TTlmArray& array) {
    const int rowCount = array.RowCount();
    const int last = rowCount - 1;
    int removed = 0;
    int stepped = 0;
    int row = 1;
    while (row <= last && stepped < rowCount - 1) {
        if (array.Rows[row][TlmType].size() < 4 && last - row > removed) {
            ++removed;
            for (int later = row; later < last; ++later)
                array.Rows[later] = array.Rows[later + 1];
            array.Rows[last][TlmType].clear();
        } else {
            ++row;
            ++stepped;
        }
    }
    int keep = 0;
    for (int r = last; r >= 0; --r) {
        if (!array.Rows[r][TlmType].empty()) {
            keep = r + 1;
            break;
        }
    }
    array.Rows.resize(std::max(keep, 1));
}

int CellNumber(const std::string& cell) {
    int32_t value = 0;
    return ParseDecimal(cell, value) ? value : 0;
}

std::vector<std::string> ArrayList(const TTlmArray& array) {
    std::vector<std::string> entries;
    std::string source, dest, port; // empty before the first row
    for (int r = 1; r < array.RowCount(); ++r) {
        const TTlmRow& row = array.Rows[r];
        if (row[TlmSource] != source || row[TlmDest] != dest || row[TlmPort] != port) {
            const int portNumber = CellNumber(row[TlmPort]);
            entries.push_back("Brd " + std::to_string(portNumber / 3) + ", Prt " +
                              std::to_string(portNumber % 3 + 1) + ", Src " + row[TlmSource] +
                              ", Dst " + row[TlmDest]);
        }
        source = row[TlmSource];
        dest = row[TlmDest];
        port = row[TlmPort];
    }
    return entries;
}

void ListArrays(Project& project) {
    project.RxArrayList = ArrayList(project.RxArray);
    project.TxArrayList = ArrayList(project.TxArray);
}

} // namespace k7
