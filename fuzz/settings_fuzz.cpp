// The settings file on any bytes: read as at start-up, then written back
// and read again.
#include "fuzz/fuzz_support.h"
#include "workspace/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k7;
    const std::string path = fuzz::WriteScratchFile("K7Setup.ini", data, size);
    SettingsLoad load = LoadSettings(fuzz::ScratchFolder(), path);
    (void)RecentMenuEntries(load.Settings);
    (void)PreferenceString(load.Settings);
    if (!SaveSettings(load.Settings, path).empty())
        return 0;
    SettingsLoad again = LoadSettings(fuzz::ScratchFolder(), path);
    if (SettingsLines(again.Settings) != SettingsLines(load.Settings))
        __builtin_trap();
    return 0;
}
