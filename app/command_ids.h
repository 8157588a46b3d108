// Command identifiers that the frame's dispatchers, menus and key table name
// directly. The zoom, pan and arrangement commands live beside the code
// that carries them out (view/view_zoom.h, view/view_pan.h,
// app/window_arrangement.h).
#pragma once

// File.
constexpr int kCommandOpen = 5010;
constexpr int kCommandReload = 5011;
constexpr int kCommandSaveAs = 5012;
constexpr int kCommandSave = 5013;
constexpr int kCommandLosslessRotateAgain = 5014;
constexpr int kCommandLosslessRotateRight = 5020;
constexpr int kCommandLosslessRotateLeft = 5021;
constexpr int kCommandCopy = 5030;
constexpr int kCommandPaste = 5031;
constexpr int kCommandDelete = 5032;
constexpr int kCommandCopyView = 5035;
constexpr int kCommandComment = 5040;
constexpr int kCommandImageInformation = 5041;
constexpr int kCommandWallpaper = 5050;
constexpr int kCommandPrint = 5060;

// Edit.
constexpr int kCommandHistogramWindow = 5111;
constexpr int kCommandColourCount = 5110;
constexpr int kCommandTurnClockwise = 5150;  // then 180, counter-clockwise, mirror
constexpr int kCommandFlipTopBottom = 5154;

// View.
constexpr int kCommandSlideshow = 5250;
constexpr int kCommandFileListOrderName = 5252;  // ... 5254
constexpr int kCommandFileListOrderLast = 5254;

// Tools.
constexpr int kCommandToggleEditWindow = 5310;
constexpr int kCommandFileListWindow = 5311;
constexpr int kCommandAlwaysOnTop = 5320;
constexpr int kCommandCentreWindow = 5321;
constexpr int kCommandTitleBar = 5330;
constexpr int kCommandTitleBarOnHover = 5331;
constexpr int kCommandBarOnHover = 5332;
constexpr int kCommandNavigatorOnHover = 5333;
constexpr int kCommandBackgroundWhite = 5341;  // ... 5345 black
constexpr int kCommandBackgroundBlack = 5345;
constexpr int kCommandCentreAll = 5354;
constexpr int kCommandCloseAll = 5355;

// Programs.
constexpr int kCommandOptions = 5410;
constexpr int kCommandExternalProgram1 = 5420;  // ... 5427
constexpr int kCommandExternalProgram8 = 5427;
constexpr int kCommandNoExternalProgram = 5430;  // the placeholder item

// Help.
constexpr int kCommandHelp = 5510;
constexpr int kCommandStartupNotice = 5515;
constexpr int kCommandAbout = 5520;

// Window.
constexpr int kCommandFullScreen = 5530;
constexpr int kCommandMinimise = 5540;
constexpr int kCommandClose = 5550;

// File list steps.
constexpr int kCommandFirstImage = 5700;
constexpr int kCommandLastImage = 5701;
constexpr int kCommandPreviousImage = 5702;
constexpr int kCommandNextImage = 5703;

// Edit window panes.
constexpr int kCommandPaneScrollBars = 5710;
constexpr int kCommandBothPanes = 5720;
constexpr int kCommandSourcePaneOnly = 5721;
constexpr int kCommandPreviewPaneOnly = 5722;
constexpr int kCommandEditNavigator = 5740;
constexpr int kCommandSavePreview = 5810;

// Adjustments.
constexpr int kCommandApplyAdjustment = 5900;
constexpr int kCommandCancelAdjustment = 5901;

// Identifiers below this are the controls of the edit window's panels.
constexpr int kFirstCommand = 5000;

// Menu captions that follow the mode use these strings instead.
constexpr int kStringBackToView = 5309;
constexpr int kStringLeaveFullScreen = 5531;
