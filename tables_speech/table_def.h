// The RAM rules of a table's blank cells, which the compile and the RAM
// assignment share; the stored record itself is read and written by
// workspace/table_record.h.
#pragma once

#include "workspace/table_record.h"

#include <cstdint>
#include <string>

namespace k7 {

// The RAM that one blank cell of a row type takes: 4 bytes, or for a
// "String" row ((characters div 4) + 2) x 4 bytes.
uint32_t BlankCellBytes(const std::string& rowType, int stringChars);
// The type tag a blank cell's address carries.
uint32_t RowTypeTag(const std::string& rowType);

} // namespace k7
