#pragma once
// What the toolbar's view commands do, decided from the state the windows report.
#include "res/ResourceIds.h"

namespace kov {

// Which pane is in front, as the toolbar's geometry record answers it.
enum class FrontPane { kNone = -1, kOther = 0, kImage = 1, kThumbnails = 2, kInfo = 3, kFolderTree = 4 };

struct ViewState {
  FrontPane front = FrontPane::kInfo;
  bool thumbnailListVisible = false;
  int thumbnailCount = 0;
  bool slideShowRunning = false;
};

enum class QuitOrBack { kBackToThumbnails, kAskToQuit };
// kBtnQuitOrBack: back to the thumbnails when a picture of a listed folder is in front.
QuitOrBack DecideQuitOrBack(const ViewState& state);

enum class EscapeAction { kStopSlideShow, kBackToThumbnails, kNothing };
EscapeAction DecideEscape(const ViewState& state);

enum class RefreshAction { kBackToThumbnails, kReloadThumbnailPage, kNothing };
// F5: the image view goes back to the thumbnails, the thumbnail page reloads.
RefreshAction DecideRefresh(const ViewState& state);

// The tooltip string of kBtnQuitOrBack while a picture is shown.
StringId QuitButtonTooltipForImage(int thumbnailCount);

// After the list page reports its count: walk one picture when it listed none.
bool ShouldWalkAfterCount(int thumbnailCount);

}  // namespace kov
