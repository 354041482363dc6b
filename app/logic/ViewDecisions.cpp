#include "app/logic/ViewDecisions.h"

namespace kov {

QuitOrBack DecideQuitOrBack(const ViewState& state) {
  bool pictureOfAList = state.thumbnailListVisible && state.thumbnailCount != 0 &&
                        state.front == FrontPane::kImage;
  return pictureOfAList ? QuitOrBack::kBackToThumbnails : QuitOrBack::kAskToQuit;
}

EscapeAction DecideEscape(const ViewState& state) {
  if (state.slideShowRunning) return EscapeAction::kStopSlideShow;
  if (state.front == FrontPane::kImage && state.thumbnailCount > 0) return EscapeAction::kBackToThumbnails;
  return EscapeAction::kNothing;
}

RefreshAction DecideRefresh(const ViewState& state) {
  if (state.front == FrontPane::kImage) return RefreshAction::kBackToThumbnails;
  if (state.front == FrontPane::kThumbnails) return RefreshAction::kReloadThumbnailPage;
  return RefreshAction::kNothing;
}

StringId QuitButtonTooltipForImage(int thumbnailCount) {
  return thumbnailCount >= 1 ? StringId::kTipBackToThumbnails : StringId::kTipQuit;
}

bool ShouldWalkAfterCount(int thumbnailCount) { return thumbnailCount < 1; }

}  // namespace kov
