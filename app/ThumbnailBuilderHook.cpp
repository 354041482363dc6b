#include "app/ThumbnailBuilderHook.h"

namespace kov {

// The builder dialog is not part of this program yet: nothing is built, and the
// caller goes on to show the cache as it is.
bool RunThumbnailBuilder(const std::string&, const std::string&, bool) { return false; }

}  // namespace kov
