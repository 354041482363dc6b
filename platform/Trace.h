#pragma once
// A trace for people who debug the viewer: with KOV_TRACE naming a file, one line is
// appended per command run and per navigation started, each led by the wall-clock
// time in seconds (so scripts can time what happens across processes). When no trace
// file is open every call returns at the first test.
#include <string>

namespace kov {

// Opens (appending) the file; an empty path or a file that cannot be opened leaves
// the trace closed. A second call closes the first file.
void OpenTrace(const std::string& path);
void CloseTrace();
bool TraceEnabled();

// "<seconds> <text>\n", flushed at once so a reader sees it while the program runs.
void TraceLine(const std::string& text);
// "command <name>", and the path the command carries when it carries one.
void TraceCommand(const std::string& name, const std::string& path = std::string());
void TraceNavigate(const char* pane, const std::string& url);       // "navigate <pane> <url>"
void TraceEvent(const char* what, const char* pane, const std::string& url);  // "<what> <pane> <url>"

// The trace line's text without its time stamp: what tests compare.
std::string TraceText(const std::string& line);

}  // namespace kov
