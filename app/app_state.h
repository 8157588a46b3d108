// ApplicationState: the one program-wide record. The frame creates it with
// the process; every window procedure and command reaches it through App().
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "adjust/blend_table.h"
#include "app/accelerator_slots.h"
#include "app/display_mode.h"
#include "app/menu_items_win.h"
#include "app/settings_values.h"
#include "app/win_handles.h"
#include "image/animation_playback.h"
#include "image/document_state.h"
#include "image/file_list.h"
#include "image/image_buffer.h"
#include "view/print_layout.h"
#include "view/printer_choice_win.h"
#include "view/view_geometry.h"

struct ApplicationState {
  // Settings, as read at start and written at exit.
  SettingsValues settings;
  // The comment the encoders embed, in ANSI code page bytes; the settings
  // file keeps only whether to embed it.
  std::string save_comment_text;

  // Process.
  UniqueHeap heap;
  HINSTANCE instance = nullptr;
  UniqueModule language;
  std::wstring language_name;
  int os_class = 0;
  std::wstring settings_path;
  std::wstring exe_path;

  // Windows.
  HWND view_window = nullptr;
  HWND edit_window = nullptr;
  bool edit_window_shown = false;  // its saved placement is kept until then
  HWND view_bar = nullptr;
  HWND list_window = nullptr;
  int list_width = 180;  // the file-list window's outer size, kept while
  int list_height = 360; // the program runs
  HWND navigator = nullptr;
  HWND tooltips[2] = {};
  HDC view_dc = nullptr;  // kept for the window's life (own DC class)

  // Graphics.
  UniqueFont ui_font;
  HCURSOR cursor_arrow = nullptr;
  HCURSOR cursor_wait = nullptr;
  HCURSOR cursor_background = nullptr;
  HCURSOR cursor_not_allowed = nullptr;
  HCURSOR cursor_eyedropper = nullptr;
  HCURSOR cursor_label_drag = nullptr;
  COLORREF custom_colours[16] = {};  // the colour dialog's own row, shared by every use
  UniqueBrush panel_brush;
  UniqueAccel accelerators;
  BindingSlots key_slots{};  // the bindings the menus and bindings dialog show
  UniqueMenu menu;           // root of the main popup and the zoom popup
  std::vector<std::unique_ptr<MenuItemRecord>> menu_items;  // their item data

  // Current document: staging is what decoders fill, current is what is
  // shown and saved, result holds an adjustment's or preview's output.
  ImageBuffer staging{};
  ImageBuffer current{};
  ImageBuffer result{};
  DocumentState document;
  FileList file_list;
  bool modified = false;
  bool open_failed = false;  // the canvas says so until the next image
  AnimationPlayback animation;  // the frame the view shows of current.animation

  // View of the view window, and the one both panes of the edit window share.
  ViewGeometry view_geometry;
  ViewGeometry edit_geometry;
  HWND source_pane = nullptr;
  HWND preview_pane = nullptr;
  int active_pane = 1;      // 0 both, 1 source only, 2 preview only
  SIZE pane_client = {1, 1};  // one pane's client area as the layout uses it
  bool eyedropper_on = false;  // the title reads out the colour under the pointer
  COLORREF eyedropper_colour = 0;  // the colour under the pointer while it is on
  int eyedropper_panes = 1;        // the active pane to come back to
  int mouse_state = 0;      // MouseState
  POINT drag_anchor = {};   // client point where the button went down
  POINT drag_last = {};     // last pointer position while dragging
  int pan_step_shift = 0;   // 1 for images larger than the screen
  bool navigator_shown = false;
  bool navigator_by_hover = false;
  bool bar_shown = false;
  bool cursor_hidden = false;
  POINT cursor_hidden_at = {};  // client point where the pointer was then
  bool sizing_by_program = false;
  SIZE fitted_window = {};  // outer size that shows the whole scaled image

  // Printing: the chosen printer, the mode and the placement last used,
  // kept for the run only.
  PrinterChoice printer;
  bool print_fill = false;
  StoredPlacement print_placement;

  // Modes.
  DisplayMode display_mode = kDisplayView;
  DisplayMode mode_before_full_screen = kDisplayView;
  bool accelerators_suspended = false;
  bool slideshow_running = false;

  // Chrome of the view window without a title bar: the frame shown while
  // the pointer is over it, and which of its areas are being tracked.
  bool hover_frame_shown = false;
  bool client_tracked = false;
  bool nonclient_tracked = false;
  bool title_tip_active = false;
  bool in_size_move = false;
  RECT rect_before_full_screen = {};  // the window's place to come back to

  // The adjustment being made: the one object, its mode code (0 when
  // none), and what its bar and preview share with the frame.
  class CIBase* adjustment = nullptr;
  int adjustment_mode = 0;
  bool adjustment_hook = false;  // the keyboard hook acts for the adjustment
  HWND hot_label = nullptr;      // the bar's value label under the pointer
  int32_t drag_start_value = 0;
  int drag_origin_x = 0;
  bool bar_ready = false;  // clear while the program fills the bar's controls
  std::atomic<bool> preview_busy{false};  // the worker is computing
  std::unique_ptr<BlendTable> blend = std::make_unique<BlendTable>();
  bool shutting_down = false;
};

ApplicationState& App();

// The window that owns dialogs and message boxes in the current mode.
HWND OwnerWindow();
