// Send when no compile is needed: Intermed.Obj is read back from the
// system folder and sent line by line to a unit that acknowledges every
// frame. Any bytes may sit in that file.
#include "fuzz/fuzz_support.h"
#include "tests/comm/download_harness.h"
#include "workspace/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace k7;
    const std::string path = fuzz::WriteScratchFile("Intermed.Obj", data, size);
    TextFile file = ReadTextLines(path);
    if (!file.Ok)
        return 0;
    test::FixedProject project;
    project.Image = std::move(file.Lines);
    test::LoadHarness unit;
    unit.GreetWith("5.62");
    if (unit.Sequence.SendProgram(project))
        unit.Run(60000);
    unit.Sequence.CancelLoad();
    unit.RunFor(50);
    return 0;
}
