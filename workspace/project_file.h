// The project file (".tvr"): a fixed sequence of sections, each opened by
// a line beginning with "!", most lines "|"-separated records.
#pragma once

#include "workspace/project.h"
#include "workspace/text_file.h"

#include <string>
#include <vector>

namespace k7 {

class ModuleLibrary;

constexpr const char* NotAProjectMessage = "Referenced file is not K7/K3 program.";

// The lines of the file for a project; dateText goes into the header.
std::vector<std::string> ProjectFileLines(const Project& project, const ModuleLibrary& library,
                                          const std::string& dateText);

// Writes the file whole; empty string on success, otherwise the message.
std::string WriteProjectFile(const std::string& path, const Project& project,
                             const ModuleLibrary& library, const std::string& dateText);

struct ProjectRead {
    bool Ok = false;
    std::string Message; // what to show when reading failed
};

// The largest project file read: far beyond what a full unit needs (200
// instances, 32 displays, every table and report), small enough that a
// file of another kind is refused at once.
constexpr size_t MaxProjectFileLines = 500000;
constexpr size_t MaxProjectLineLength = 65536;
// Reading a project file stops at the first line past these bounds.
constexpr LineLimits ProjectFileLimits{MaxProjectFileLines, MaxProjectLineLength};
// Why a file of these lines is not read as a project; empty when it may be.
std::string ProjectFileSizeProblem(const std::vector<std::string>& lines);

// Reads the lines of a project file into project, which must have been
// reset first. On failure the project holds what was read so far and the
// caller starts a new one.
ProjectRead ReadProjectFile(const std::vector<std::string>& lines, const ModuleLibrary& library,
                            Project& project);

} // namespace k7
