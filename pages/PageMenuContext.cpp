#include "pages/PageMenuContext.h"

namespace kov {

bool ShowsPageMenu(const PageHitFacts& hit) {
  if (hit.editable || hit.media || hit.scrollbar || hit.selection) return false;
  return hit.image || !hit.link;
}

}  // namespace kov
