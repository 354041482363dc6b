// Checks the include order of the layers: a file may include headers of its own
// folder's layer or of layers below it, and a core file never includes the toolkit.
// Usage: kov_layer_check SOURCE_DIR core: FOLDER... gui: FOLDER...
// Folders are listed lowest first. Every fault is printed as FILE:LINE: reason; the
// exit status is 1 when there is any. Because each folder has its own place in one
// order, an include graph without upward includes has no folder cycle either.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Layers {
  std::map<std::string, int> rank;  // folder -> place, lowest 0
  int firstGui = 0;
  std::vector<std::string> names;
};

bool ParseLayers(int argc, char** argv, Layers* layers) {
  bool inGui = false, sawCore = false;
  for (int i = 2; i < argc; ++i) {
    std::string word = argv[i];
    if (word == "core:") { sawCore = true; continue; }
    if (word == "gui:") { inGui = true; layers->firstGui = static_cast<int>(layers->names.size()); continue; }
    if (!sawCore) return false;
    layers->rank[word] = static_cast<int>(layers->names.size());
    layers->names.push_back(word);
  }
  if (!inGui) layers->firstGui = static_cast<int>(layers->names.size());
  return !layers->names.empty();
}

// The folder a file or header path belongs to: its directory, relative to the tree.
std::string FolderOf(const std::string& relativePath) {
  size_t slash = relativePath.rfind('/');
  return slash == std::string::npos ? "" : relativePath.substr(0, slash);
}

bool IsToolkitHeader(const std::string& header) {
  for (const char* prefix : {"gtk/", "gdk/", "webkit2/", "JavaScriptCore/", "X11/", "jsc/"})
    if (header.compare(0, std::char_traits<char>::length(prefix), prefix) == 0) return true;
  return false;
}

int CheckFile(const fs::path& file, const std::string& relative, int fromRank,
              const Layers& layers) {
  static const std::regex quoted(R"(^\s*#\s*include\s+"([^"]+)\")");
  static const std::regex angled(R"(^\s*#\s*include\s+<([^>]+)>)");
  std::ifstream in(file);
  std::string line;
  int lineNumber = 0, faults = 0;
  const std::string& from = layers.names[fromRank];
  while (std::getline(in, line)) {
    ++lineNumber;
    std::smatch match;
    if (std::regex_search(line, match, quoted)) {
      std::string header = match[1];
      auto to = layers.rank.find(FolderOf(header));
      std::string reason;
      if (to == layers.rank.end())
        reason = "includes " + header + ", which is in no layer";
      else if (to->second > fromRank)
        reason = "includes " + header + " from layer " + to->first + ", above " + from;
      if (!reason.empty()) {
        std::printf("%s:%d: %s\n", relative.c_str(), lineNumber, reason.c_str());
        ++faults;
      }
    } else if (fromRank < layers.firstGui && std::regex_search(line, match, angled) &&
               IsToolkitHeader(match[1])) {
      std::printf("%s:%d: core layer %s includes the toolkit header <%s>\n", relative.c_str(),
                  lineNumber, from.c_str(), std::string(match[1]).c_str());
      ++faults;
    }
  }
  return faults;
}

}  // namespace

int main(int argc, char** argv) {
  Layers layers;
  if (argc < 3 || !ParseLayers(argc, argv, &layers)) {
    std::fprintf(stderr, "usage: kov_layer_check SOURCE_DIR core: FOLDER... gui: FOLDER...\n");
    return 2;
  }
  fs::path root = argv[1];
  int faults = 0, files = 0;
  for (size_t rank = 0; rank < layers.names.size(); ++rank) {
    fs::path folder = root / layers.names[rank];
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
      std::string ext = entry.path().extension().string();
      if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
      std::string relative = layers.names[rank] + "/" + entry.path().filename().string();
      faults += CheckFile(entry.path(), relative, static_cast<int>(rank), layers);
      ++files;
    }
    if (error) {
      std::printf("%s: cannot read the folder: %s\n", layers.names[rank].c_str(),
                  error.message().c_str());
      ++faults;
    }
  }
  std::printf("layers: %zu folders, %d files, %d faults\n", layers.names.size(), files, faults);
  return faults == 0 ? 0 : 1;
}
