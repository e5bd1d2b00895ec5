// What the download and the watch need of the open project and its last
// compile. The desktop program and k7c implement it over the workspace and
// the compiler, so the unit communication does not depend on them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace k7 {

class ProjectLink {
  public:
    virtual ~ProjectLink() = default;

    // False before any project was opened or any module instance added.
    virtual bool ProjectPresent() = 0;
    // The download image lines to send: Intermed.Obj read back when no
    // compile is needed, otherwise a fresh compile. Nothing when the
    // compile had errors.
    virtual std::optional<std::vector<std::string>> ImageToSend() = 0;
    // Compiles when the project needs it; true when a clean compile stands.
    virtual bool CompileIfNeeded() = 0;
    // The TypedAddress text of a name in the last compile; empty when the
    // name is not known.
    virtual std::string LookupName(const std::string& name) = 0;
};

} // namespace k7
