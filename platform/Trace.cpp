#include "platform/Trace.h"

#include <glib.h>

#include <cstdio>

namespace kov {

namespace {
FILE* g_trace = nullptr;
}  // namespace

void OpenTrace(const std::string& path) {
  CloseTrace();
  if (path.empty()) return;
  g_trace = std::fopen(path.c_str(), "a");
}

void CloseTrace() {
  if (g_trace != nullptr) std::fclose(g_trace);
  g_trace = nullptr;
}

bool TraceEnabled() { return g_trace != nullptr; }

void TraceLine(const std::string& text) {
  if (g_trace == nullptr) return;
  gint64 now = g_get_real_time();
  // Names from the file system may hold line breaks; a trace line stays one line.
  std::string oneLine = text;
  for (char& c : oneLine)
    if (c == '\n' || c == '\r') c = ' ';
  std::fprintf(g_trace, "%lld.%06lld %s\n", static_cast<long long>(now / 1000000),
               static_cast<long long>(now % 1000000), oneLine.c_str());
  std::fflush(g_trace);
}

void TraceCommand(const std::string& name, const std::string& path) {
  if (g_trace != nullptr) TraceLine("command " + name + (path.empty() ? "" : " " + path));
}

void TraceNavigate(const char* pane, const std::string& url) {
  if (g_trace != nullptr) TraceLine(std::string("navigate ") + pane + " " + url);
}

void TraceEvent(const char* what, const char* pane, const std::string& url) {
  if (g_trace != nullptr) TraceLine(std::string(what) + " " + pane + " " + url);
}

std::string TraceText(const std::string& line) {
  size_t space = line.find(' ');
  return space == std::string::npos ? line : line.substr(space + 1);
}

}  // namespace kov
