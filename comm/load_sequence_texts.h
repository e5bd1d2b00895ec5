// The texts the download sequence shows on the terminal page, in its
// message boxes and on the shared progress panel.
#pragma once

#include <cstddef>
#include <string>

namespace k7 {

namespace LoadText {
constexpr const char* NoProject = "There is no project installed to send.";
constexpr const char* CompileErrors = "Project compile resulted in error(s).";
constexpr const char* SwitchingProtocol = "Switching K7 to TAVRO protocol...";
constexpr const char* StoppingProgram = "Stopping K7 program...";
constexpr const char* SwitchMark = "^R ";
constexpr const char* StopMark = "^K ";
constexpr const char* PassThroughOn = "Local K3/K7 is in passthrough mode";
constexpr const char* InitiatingPassThrough = "Initiating master pass-through mode...";
constexpr const char* MasterNotReady = "K3/K7 master not ready to pass pgm through";
constexpr const char* ProgramIdle = "K3/K7 program is idle";
constexpr const char* SendingHalt = "Sending command to halt K3/K7 program...";
constexpr const char* NoReply = "No reply from K7.";
constexpr const char* VersionQuestion =
    "Tav7 OS version may be incompatible with load, proceed anyway?";
constexpr const char* Responded = "K7 responded...";
constexpr const char* NotResponding = "K7 is not responding";
constexpr const char* ProgramCaption = "Load Progress";
constexpr const char* ProgramLabel = "Loading K7/K3 Program...";
constexpr const char* OsCaption = "Load Progress:";
constexpr const char* OsLabel = "Loading Tav7/Tav3 OS...";
constexpr const char* InstallingSecurity = "Installing program security...";
constexpr const char* ProgramLoaded = "Program load successful.";
constexpr const char* RestartingProgram = "Restarting K7 program...";
constexpr const char* SendingOsSecurity = "Sending OS security...";
constexpr const char* OsLoaded = "OS load successful.";
constexpr const char* RestartingOs = "Restarting K7 OS...";
constexpr const char* Terminated = "Sequence terminated";
constexpr const char* RepeatsPrefix = "Repeats=";
constexpr const char* RouteOutOfRange =
    "Remote addresses, board and port numbers must be 0 to 255.";
constexpr const char* WaitOutOfRange = "Wait for Reply must be 1 to 255 seconds.";
} // namespace LoadText

// "Sending command to erase sector " + sector + " please wait...".
std::string ErasingSectorText(int sector);
// Why an image line cannot go out in one frame (1-based line number).
std::string ImageLineTooLongText(std::size_t lineNumber, std::size_t maxLength);

} // namespace k7
