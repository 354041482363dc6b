// kovtool: a command-line companion to KOV on the same core, for people who debug
// pages, caches and pictures.
#include <cstdio>
#include <string>
#include <vector>

#include "kovtool/Subcommand.h"

namespace kovtool {
namespace {
std::vector<Subcommand>& Registry() {
  static std::vector<Subcommand> registry;
  return registry;
}
}  // namespace

Registration::Registration(Subcommand command) { Registry().push_back(command); }

const std::vector<Subcommand>& AllSubcommands() { return Registry(); }

int Usage(const std::string& name) {
  std::fprintf(stderr, "usage:\n");
  for (const Subcommand& c : Registry())
    if (name.empty() || name == c.name) std::fprintf(stderr, "  kovtool %s %s\n", c.name, c.usage);
  return 2;
}

}  // namespace kovtool

int main(int argc, char** argv) {
  if (argc < 2) return kovtool::Usage("");
  std::string name = argv[1];
  std::vector<std::string> args(argv + 2, argv + argc);
  for (const kovtool::Subcommand& c : kovtool::AllSubcommands())
    if (name == c.name) return c.run(args);
  std::fprintf(stderr, "kovtool: unknown subcommand '%s'\n", name.c_str());
  return kovtool::Usage("");
}
