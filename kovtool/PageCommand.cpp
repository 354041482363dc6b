// kovtool page URL: the response bytes of a kovp URL on standard output, its MIME
// type on standard error.
#include <cstdio>
#include <string>
#include <vector>

#include "kovtool/Subcommand.h"
#include "pages/PageServer.h"

namespace kovtool {
namespace {

int RunPage(const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage("page");
  kov::PageResponse response = kov::ServePageUrl(args[0]);
  if (!response.body.empty() &&
      std::fwrite(response.body.data(), 1, response.body.size(), stdout) != response.body.size())
    return 1;
  if (std::fflush(stdout) != 0) return 1;
  std::fprintf(stderr, "%s\n", response.mimeType.c_str());
  return 0;
}

Registration registration{{"page", "URL", &RunPage}};

}  // namespace
}  // namespace kovtool
