#pragma once
// Command ids of the viewer. Every window posts these to the viewer's controller;
// menus, accelerators, the script bridge, the panes and the builder's window all name
// them from here. Each id has its name for the trace in res/CommandNames.cpp.
namespace kov {

enum CommandId : int {
  kCmdCancel = 2,  // to the main window: end the application
  kBtnSlideShow = 1003,
  kBtnPrevious = 1004,
  kBtnNext = 1005,
  kBtnTools = 1006,
  kBtnQuitOrBack = 1007,
  kBtnOpenFolder = 1008,
  kBtnAbout = 1009,
  kBtnPhotoCd = 1010,
  kBtnMinimize = 1011,
  kBtnMaximize = 1012,
  kCmdRefreshState = 32771,
  kCmdFitPane = 32772,
  kCmdPageLoaded = 32773,
  kCmdOpenTreeFolder = 32775,
  kCmdShowClickedImage = 32776,
  kCmdBackToThumbnails = 32777,
  kCmdInterval1 = 32778,
  kCmdInterval2 = 32779,
  kCmdInterval3 = 32780,
  kCmdInterval5 = 32781,
  kCmdInterval10 = 32782,
  kCmdInterval15 = 32783,
  kCmdInterval20 = 32784,
  kCmdForward = 32785,
  kCmdThumbnailCount = 32787,
  kCmdPreviewBuiltInMusic = 32788,
  kCmdPreviewBuiltInPicture = 32789,
  kCmdPreviewMusic = 32790,
  kCmdPreviewPicture = 32791,
  kCmdReapplyBackground = 32792,
  kCmdWheel = 32793,
  kCmdStopSlideShow = 32794,
  kCmdFirstShow = 32795,
  kCmdQuitNow = 32796,
  kCmdShowToolbar = 32797,
  kCmdHideToolbar = 32798,
  kCmdEscape = 32800,
  kCmdOpenFolderTree = 32801,
  kCmdPrintPreview = 32802,  // the context menu's print items
  kCmdPrintPage = 32803,
  kCmdSavePicture = 32804,
  kCmdCopySelected = 32806,  // the context menu's selection items
  kCmdDeleteSelected = 32807,
  kCmdMoveSelected = 32808,
  kCmdBackward = 32805,
  kCmdRefresh = 32809,
  kCmdRebuildThumbnails = 32810,
  kCmdOpenFileManager = 32811,
  kCmdNextImage = 32812,
  kCmdToggleSlideShow = 32813,
  kCmdReverseDirection = 32814,
  kCmdDisplayChanged = 32815,
  kCmdWebThumbnails = 32816,
  kCmdBackground = 32817,
  kCmdPrint = 32819,
  kCmdAbout = 32820,
  kCmdNextFolder = 32821,
  kCmdPreviousFolder = 32822,
  kCmdOpenStartPath = 32830,  // open the folder or picture a command line named
  kCmdToggleFullScreen = 32831,  // F11: full screen, or back to the restored window
  // The builder's window posts its own steps to itself; no other window sees them.
  kCmdBuilderNextImage = 32840,
  kCmdBuilderStartPoll = 32841,
  // The picture view's own keys and the viewer's toggles.
  kCmdShowNextPicture = 32850,     // whatever the direction, which stays as it is
  kCmdShowPreviousPicture = 32851,
  kCmdPanOrNextPicture = 32852,    // a zoomed picture pans, a fitted one steps
  kCmdPanOrPreviousPicture = 32853,
  kCmdFirstPicture = 32854,        // of the current folder
  kCmdLastPicture = 32855,
  kCmdZoomIn = 32856,
  kCmdZoomOut = 32857,
  kCmdZoomToFit = 32858,
  kCmdZoomToActualSize = 32859,
  kCmdRotateLeft = 32860,
  kCmdRotateRight = 32861,
  kCmdToggleCaption = 32862,
  kCmdKeyHelp = 32863,
  kCmdToggleMute = 32864,
  kCmdWheelNextPicture = 32865,    // the wheel over a picture that fits the screen
  kCmdWheelPreviousPicture = 32866,
  kCmdShuffledSlideShow = 32867,   // Shift+Space: a slide show in random order
  kCmdToggleCrossFade = 32868,     // the fade between slides off, on
};

}  // namespace kov
