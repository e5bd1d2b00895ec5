// What the fuzz targets share: the input cut into lines the way the text
// file reader cuts a file, the shipped module library and introduction,
// and a private scratch folder for the readers that take a path.
#pragma once

#include "workspace/module_library.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace k7::fuzz {

// Lines of the input: CR LF or LF ends, a last line without its end kept.
std::vector<std::string> InputLines(const std::uint8_t* data, std::size_t size);

// The module library shipped in the system folder, read once.
const ModuleLibrary& ShippedLibrary();

// The documentation introduction shipped in the system folder, read once.
const std::vector<std::string>& ShippedIntro();

// A folder of this process, ending in "/", removed when the process ends.
// Targets overwrite the files they use on every run.
const std::string& ScratchFolder();

// Writes bytes whole to a file of the scratch folder; returns its path.
std::string WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size);

} // namespace k7::fuzz
