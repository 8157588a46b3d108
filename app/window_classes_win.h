// Registers every window class of the program with the executable's instance.
#pragma once

#include <windows.h>

inline constexpr wchar_t kViewWindowClass[] = L"Ovira_vwin_class";
inline constexpr wchar_t kEditWindowClass[] = L"Ovira_swin_class";
inline constexpr wchar_t kViewBarClass[] = L"Ovira_vbarbs_class";
inline constexpr wchar_t kListWindowClass[] = L"Ovira_list_class";
inline constexpr wchar_t kSourcePaneClass[] = L"Ovira_sch1_class";
inline constexpr wchar_t kPreviewPaneClass[] = L"Ovira_sch2_class";
inline constexpr wchar_t kNavigatorClass[] = L"Ovira_navi_class";
inline constexpr wchar_t kColourBoxClass[] = L"color_box";

inline constexpr int kAppIconId = 100;
inline constexpr int kNavigatorCursorId = 215;
inline constexpr int kEyedropperCursorId = 231;
inline constexpr int kLabelDragCursorId = 233;

bool RegisterWindowClasses(HINSTANCE instance);
