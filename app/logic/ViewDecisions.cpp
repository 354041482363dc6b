#include "app/logic/ViewDecisions.h"

namespace kov {

namespace {
constexpr int kTipQuit = 5000;
constexpr int kTipBackToThumbnails = 5009;
}  // namespace

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

int QuitButtonTooltipForImage(int thumbnailCount) {
  return thumbnailCount >= 1 ? kTipBackToThumbnails : kTipQuit;
}

bool ShouldWalkAfterCount(int thumbnailCount) { return thumbnailCount < 1; }

}  // namespace kov
