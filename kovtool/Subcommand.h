#pragma once
// kovtool's subcommands register themselves here, one file each, so adding one
// touches no other file.
#include <string>
#include <vector>

namespace kovtool {

// Returns the process exit status. Bad arguments: print the usage and return 2.
using SubcommandFn = int (*)(const std::vector<std::string>& args);

struct Subcommand {
  const char* name;
  const char* usage;  // the arguments after the name, for the usage message
  SubcommandFn run;
};

// Static registration: `static kovtool::Registration reg{{"page", "URL", &RunPage}};`
struct Registration {
  explicit Registration(Subcommand command);
};

const std::vector<Subcommand>& AllSubcommands();
// Prints the usage of one subcommand (or all when name is empty) to stderr; returns 2.
int Usage(const std::string& name);

}  // namespace kovtool
