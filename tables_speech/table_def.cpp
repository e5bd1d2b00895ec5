#include "tables_speech/table_def.h"

namespace k7 {

uint32_t BlankCellBytes(const std::string& rowType, int stringChars) {
    if (rowType == "String")
        return static_cast<uint32_t>((stringChars / 4) + 2) * 4;
    return 4;
}

uint32_t RowTypeTag(const std::string& rowType) {
    if (rowType == "Float")
        return 0x1000000;
    if (rowType == "Status")
        return 0x2000000;
    if (rowType == "String")
        return 0x4000000;
    return 0;
}

} // namespace k7
