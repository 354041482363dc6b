#include "res/CommandNames.h"

#include "res/CommandIds.h"

namespace kov {

namespace {

struct NamedCommand {
  int id;
  const char* name;
};

const NamedCommand kNames[] = {
    {kCmdCancel, "kCmdCancel"},
    {kBtnSlideShow, "kBtnSlideShow"},
    {kBtnPrevious, "kBtnPrevious"},
    {kBtnNext, "kBtnNext"},
    {kBtnTools, "kBtnTools"},
    {kBtnQuitOrBack, "kBtnQuitOrBack"},
    {kBtnOpenFolder, "kBtnOpenFolder"},
    {kBtnAbout, "kBtnAbout"},
    {kBtnPhotoCd, "kBtnPhotoCd"},
    {kBtnMinimize, "kBtnMinimize"},
    {kBtnMaximize, "kBtnMaximize"},
    {kCmdRefreshState, "kCmdRefreshState"},
    {kCmdFitPane, "kCmdFitPane"},
    {kCmdPageLoaded, "kCmdPageLoaded"},
    {kCmdOpenTreeFolder, "kCmdOpenTreeFolder"},
    {kCmdShowClickedImage, "kCmdShowClickedImage"},
    {kCmdBackToThumbnails, "kCmdBackToThumbnails"},
    {kCmdInterval1, "kCmdInterval1"},
    {kCmdInterval2, "kCmdInterval2"},
    {kCmdInterval3, "kCmdInterval3"},
    {kCmdInterval5, "kCmdInterval5"},
    {kCmdInterval10, "kCmdInterval10"},
    {kCmdInterval15, "kCmdInterval15"},
    {kCmdInterval20, "kCmdInterval20"},
    {kCmdForward, "kCmdForward"},
    {kCmdThumbnailCount, "kCmdThumbnailCount"},
    {kCmdPreviewBuiltInMusic, "kCmdPreviewBuiltInMusic"},
    {kCmdPreviewBuiltInPicture, "kCmdPreviewBuiltInPicture"},
    {kCmdPreviewMusic, "kCmdPreviewMusic"},
    {kCmdPreviewPicture, "kCmdPreviewPicture"},
    {kCmdReapplyBackground, "kCmdReapplyBackground"},
    {kCmdWheel, "kCmdWheel"},
    {kCmdStopSlideShow, "kCmdStopSlideShow"},
    {kCmdFirstShow, "kCmdFirstShow"},
    {kCmdQuitNow, "kCmdQuitNow"},
    {kCmdShowToolbar, "kCmdShowToolbar"},
    {kCmdHideToolbar, "kCmdHideToolbar"},
    {kCmdEscape, "kCmdEscape"},
    {kCmdOpenFolderTree, "kCmdOpenFolderTree"},
    {kCmdPrintPreview, "kCmdPrintPreview"},
    {kCmdPrintPage, "kCmdPrintPage"},
    {kCmdSavePicture, "kCmdSavePicture"},
    {kCmdCopySelected, "kCmdCopySelected"},
    {kCmdDeleteSelected, "kCmdDeleteSelected"},
    {kCmdMoveSelected, "kCmdMoveSelected"},
    {kCmdBackward, "kCmdBackward"},
    {kCmdRefresh, "kCmdRefresh"},
    {kCmdRebuildThumbnails, "kCmdRebuildThumbnails"},
    {kCmdOpenFileManager, "kCmdOpenFileManager"},
    {kCmdNextImage, "kCmdNextImage"},
    {kCmdToggleSlideShow, "kCmdToggleSlideShow"},
    {kCmdReverseDirection, "kCmdReverseDirection"},
    {kCmdDisplayChanged, "kCmdDisplayChanged"},
    {kCmdWebThumbnails, "kCmdWebThumbnails"},
    {kCmdBackground, "kCmdBackground"},
    {kCmdPrint, "kCmdPrint"},
    {kCmdAbout, "kCmdAbout"},
    {kCmdNextFolder, "kCmdNextFolder"},
    {kCmdPreviousFolder, "kCmdPreviousFolder"},
    {kCmdOpenStartPath, "kCmdOpenStartPath"},
    {kCmdToggleFullScreen, "kCmdToggleFullScreen"},
    {kCmdBuilderNextImage, "kCmdBuilderNextImage"},
    {kCmdBuilderStartPoll, "kCmdBuilderStartPoll"},
    {kCmdShowNextPicture, "kCmdShowNextPicture"},
    {kCmdShowPreviousPicture, "kCmdShowPreviousPicture"},
    {kCmdPanOrNextPicture, "kCmdPanOrNextPicture"},
    {kCmdPanOrPreviousPicture, "kCmdPanOrPreviousPicture"},
    {kCmdFirstPicture, "kCmdFirstPicture"},
    {kCmdLastPicture, "kCmdLastPicture"},
    {kCmdZoomIn, "kCmdZoomIn"},
    {kCmdZoomOut, "kCmdZoomOut"},
    {kCmdZoomToFit, "kCmdZoomToFit"},
    {kCmdZoomToActualSize, "kCmdZoomToActualSize"},
    {kCmdRotateLeft, "kCmdRotateLeft"},
    {kCmdRotateRight, "kCmdRotateRight"},
    {kCmdToggleCaption, "kCmdToggleCaption"},
    {kCmdKeyHelp, "kCmdKeyHelp"},
    {kCmdToggleMute, "kCmdToggleMute"},
    {kCmdWheelNextPicture, "kCmdWheelNextPicture"},
    {kCmdWheelPreviousPicture, "kCmdWheelPreviousPicture"},
    {kCmdShuffledSlideShow, "kCmdShuffledSlideShow"},
    {kCmdToggleCrossFade, "kCmdToggleCrossFade"},
};

}  // namespace

std::string CommandName(int id) {
  for (const NamedCommand& entry : kNames)
    if (entry.id == id) return entry.name;
  return std::to_string(id);
}

}  // namespace kov
