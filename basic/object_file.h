// BASIC object files: written by the Compile command beside the source,
// read by the project compiler for RAM assignment and code linking.
//
//   #System Data
//   local RAM bytes|code bytes|inputs|outputs|0
//   #Constants:
//   constant texts, each followed by "|" (strings keep a leading "'")
//   #Flash Code:
//   code words, each followed by "|"
#pragma once

#include "basic/basic_compiler.h"

#include <cstdint>
#include <string>
#include <vector>

namespace k7 {

// The object file named after a source: only the extension of the file
// name itself is replaced, so "rel1.2/PUMP.BAS" gives "rel1.2/PUMP.Obj" and
// a name without extension gets ".Obj" added. The project uses the same rule
// for the source names of its BASIC instances.
std::string ObjectFileName(const std::string& sourceName);

// A BASIC source or object name read from a project (or picked from its
// list of BASIC modules) names a file of the BASIC folder and nothing else:
// a name holding "..", a path separator or a drive letter, or an absolute
// path, gets this message; a plain file name gets an empty string.
std::string BasicFileNameProblem(const std::string& name);

// The five numbers of the system data line.
struct BasicSystemData {
    int LocalRamBytes = 4; // the project reserves 1200 bytes more in front
    int CodeBytes = 4;     // code words x 4, plus 4 for the linker's header word
    int InputCount = 0;
    int OutputCount = 0;
    int Reserved = 0; // always 0
};

struct BasicObjectConstant {
    std::string Text;      // without the leading apostrophe of a string
    bool IsString = false; // the text was written with a leading apostrophe
};

enum class BasicWordKind {
    Opcode,   // "t" + decimal opcode
    Constant, // "c" + constant text
    Io,       // "i" + hex index of an input or output
    Local,    // "r" + hex byte offset of a local
    Jump,     // "f" + hex code offset, relative to the word after the header word
    Other,    // any other word: copied as it stands, still one word long
};

struct BasicCodeWord {
    BasicWordKind Kind = BasicWordKind::Other;
    uint32_t Value = 0;    // opcode, index or offset
    std::string Text;      // constant text without apostrophe; the whole word for Other
    bool IsString = false; // a constant written with a leading apostrophe
};

struct BasicObjectFile {
    BasicSystemData System;
    std::vector<BasicObjectConstant> Constants;
    std::vector<BasicCodeWord> Code;
};

// RAM assignment needs only the system data and the constants: reading
// then stops at the "#F" line.
enum class ObjectReadScope { SystemAndConstants, Everything };

struct BasicObjectRead {
    bool Ok = false;
    std::string Error; // names the file and what is wrong with it
    BasicObjectFile Object;
};

// The lines of the object file of an error-free compile.
std::vector<std::string> BasicObjectFileLines(const BasicCompileOutput& output);

// Writes the object file, replacing an existing one only once the new one
// is complete. Returns an empty string, or a message naming the file.
std::string WriteBasicObjectFile(const std::string& path, const BasicCompileOutput& output);

// Reads an object file. A line beginning with "#" starts the section named
// by its second character ("S", "C", "F"); a line beginning with an
// apostrophe is a comment, except in the constants section, where every
// line holds constants (a first string constant begins with one).
BasicObjectRead ReadBasicObjectFile(const std::string& path,
                                    ObjectReadScope scope = ObjectReadScope::Everything);
BasicObjectRead ParseBasicObjectFile(const std::vector<std::string>& lines, const std::string& name,
                                     ObjectReadScope scope = ObjectReadScope::Everything);

} // namespace k7
