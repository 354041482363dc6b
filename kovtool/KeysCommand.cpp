// kovtool keys: the viewer's keys in the form a document holds them, written from
// the one binding table (scripts/update-key-docs.sh puts them into the documents).
#include <cstdio>
#include <string>
#include <vector>

#include "app/logic/KeyHelp.h"
#include "kovtool/Subcommand.h"

namespace kovtool {
namespace {

int RunKeys(const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage("keys");
  std::string text;
  if (args[0] == "text") text = kov::KeyHelpText();
  else if (args[0] == "man") text = kov::KeyHelpManPage();
  else if (args[0] == "markdown") text = kov::KeyHelpMarkdown();
  else if (args[0] == "html") text = kov::KeyHelpHtml() + "\n";
  else return Usage("keys");
  std::fputs(text.c_str(), stdout);
  return 0;
}

Registration keys{{"keys", "text|man|markdown|html", &RunKeys}};

}  // namespace
}  // namespace kovtool
