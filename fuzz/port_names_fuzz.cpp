// The port map on any bytes: read over the defaults, written back and read
// again into a fresh table, which must then hold the same entries.
#include "comm/port_names.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k7;
    const std::string path = fuzz::WriteScratchFile(PortNamesFileName, data, size);
    PortNameTable table;
    if (!LoadPortNames(path, table).empty())
        return 0;
    PortNameTable again;
    if (!again.ReadText(table.Text()).empty() || again.Entries() != table.Entries())
        __builtin_trap();
    return 0;
}
