// Which window shows the image. Portable, so the menu and command rules
// can name the modes without the Windows layer.
#pragma once

enum DisplayMode : int {
  kDisplayView = 0,        // view window shown, edit window hidden
  kDisplayEdit = 1,        // edit window shown, view window hidden
  kDisplayFullScreen = 2,  // view window covers its monitor
};
