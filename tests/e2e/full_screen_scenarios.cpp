// Full screen, the slideshow and the title bar as a user meets them: the
// picture takes the whole screen and gives it back, a show steps through
// the folder by its timer, and the caption comes and goes around a picture
// that stays put.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/capture.h"
#include "tests/e2e/image_files.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/send_within.h"
#include "tests/e2e/viewer_steps.h"

namespace {

constexpr WPARAM kSlideshow = 5250, kTitleBar = 5330, kFullScreen = 5530;
constexpr int kInterval = 39, kRepeat = 38;

std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

RECT WindowRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

RECT ClientOnScreen(HWND window) {
  RECT r = {};
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT Screen() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

LONG Style(HWND window) { return GetWindowLongW(window, GWL_STYLE); }

// Three pictures whose names sort as their letters; the viewer opens the
// one at `first`.
bool WriteThreeImages(AppInstance& app, std::wstring* first_path, int first) {
  for (int i = 0; i < 3; ++i) {
    std::wstring path = app.folder() + L"\\" + std::wstring(1, wchar_t(L'a' + i)) + L".bmp";
    if (!WritePatternBmp(path, 120 + 20 * i, 90, uint32_t(i + 1))) return false;
    if (i == first) *first_path = path;
  }
  return true;
}

// The file names the title showed, in order, over `ms` milliseconds; the
// brief "opening" title between two images does not count.
std::vector<std::wstring> NamesShown(HWND view, DWORD ms) {
  std::vector<std::wstring> names;
  DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    std::wstring title = WindowTitle(view);
    std::wstring name = title.substr(0, title.find(L' '));
    if (name.size() == 5 && name.compare(1, 4, L".bmp") == 0 &&
        (names.empty() || names.back() != name)) {
      names.push_back(name);
    }
    Sleep(40);
  }
  return names;
}

// A viewer started with `switch_text` on the picture at `first` of three,
// with the slideshow interval at one second and `more` settings.
bool StartOnThreeImages(ScenarioContext& ctx, AppInstance& app, int first,
                        const std::wstring& switch_text, HWND* view,
                        std::vector<IntSetting> more = {}) {
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return false;
  std::wstring path;
  if (!ctx.Expect(WriteThreeImages(app, &path, first), "pictures written")) return false;
  more.push_back({kInterval, 1});
  return StartViewerOn(ctx, app, switch_text + Quoted(path), view, more);
}

std::string Joined(const std::vector<std::wstring>& names) {
  std::string text;
  for (const std::wstring& n : names) text += std::string(n.begin(), n.end()) + " ";
  return text;
}

void PostKey(HWND window, UINT key) {
  UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
  PostMessageW(window, WM_KEYDOWN, key, 1 | LPARAM(scan) << 16);
  PostMessageW(window, WM_KEYUP, key, 1 | LPARAM(scan) << 16 | LPARAM(3) << 30);
}

}  // namespace

E2E_SCENARIO(FullScreenCoversTheScreenAndGivesItBack) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  const std::wstring picture = app.folder() + L"\\scene.bmp";
  if (!ctx.Expect(WritePatternBmp(picture, 200, 150, 7), "picture written")) return;
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view)) return;
  if (!ctx.Expect(WaitForTitle(view, L"scene.bmp"), "the picture is shown")) return;
  const RECT before = WindowRect(view);
  const LONG style = Style(view);

  ctx.Expect(SendCommand(view, kFullScreen), "5530 answered");
  Sleep(300);
  ctx.Expect(Text(WindowRect(view)) == Text(Screen()),
             "the window covers the whole screen (" + Text(WindowRect(view)) + ")");
  ctx.Expect(!(Style(view) & (WS_CAPTION | WS_THICKFRAME)), "without caption or frame");
  ClientPixels shot;
  if (ctx.Expect(CaptureClient(view, &shot), "screen captured")) {
    const int left = (shot.width - 200) / 2, top = (shot.height - 150) / 2;
    ctx.Expect(shot.width == Screen().right && shot.height == Screen().bottom,
               "the picture's area is the screen");
    ctx.Expect(shot.At(left + 37, top + 51) == PatternColour(37, 51, 7) &&
                   shot.At(left + 199, top + 149) == PatternColour(199, 149, 7),
               "the picture is at its size in the middle of the screen");
  }

  ctx.Expect(SendCommand(view, kFullScreen), "5530 answered again");
  Sleep(300);
  ctx.Expect(Text(WindowRect(view)) == Text(before),
             "back to the same place (" + Text(WindowRect(view)) + ", was " + Text(before) + ")");
  ctx.Expect(Style(view) == style, "and the same style with its caption");
  Close(app, view);
}

E2E_SCENARIO(SwitchFStartsInFullScreen) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  const std::wstring picture = app.folder() + L"\\scene.bmp";
  if (!ctx.Expect(WritePatternBmp(picture, 200, 150, 7), "picture written")) return;
  HWND view;
  if (!StartViewerOn(ctx, app, L"/f " + Quoted(picture), &view)) return;
  ctx.Expect(WaitForTitle(view, L"scene.bmp"), "the picture is shown");
  Sleep(300);
  ctx.Expect(Text(WindowRect(view)) == Text(Screen()),
             "the first window is full screen (" + Text(WindowRect(view)) + ")");
  Close(app, view);
}

E2E_SCENARIO(SlideshowStepsThroughTheFolderAndStopsOnTheLast) {
  AppInstance app(ctx.bin_dir);
  HWND view;
  if (!StartOnThreeImages(ctx, app, 0, L"", &view)) return;
  if (!ctx.Expect(WaitForTitle(view, L"a.bmp"), "the first picture is shown")) return;

  ctx.Expect(SendCommand(view, kSlideshow), "5250 answered");
  const std::vector<std::wstring> names = NamesShown(view, 3600);
  ctx.Expect(Joined(names) == "a.bmp b.bmp c.bmp ",
             "one picture a second, in order, ending on the last (" + Joined(names) + ")");
  ctx.Expect(Text(WindowRect(view)) == Text(Screen()), "the show is full screen");
  PostKey(view, VK_UP);  // the keys work again once the show has stopped
  ctx.Expect(WaitForTitle(view, L"b.bmp", 3000), "Up goes back to the second picture");
  Close(app, view);
}

E2E_SCENARIO(RepeatingSlideshowComesBackToTheFirstUntilAKey) {
  AppInstance app(ctx.bin_dir);
  HWND view;
  if (!StartOnThreeImages(ctx, app, 1, L"", &view, {{kRepeat, 1}})) return;
  if (!ctx.Expect(WaitForTitle(view, L"b.bmp"), "the second picture is shown")) return;

  ctx.Expect(SendCommand(view, kSlideshow), "5250 answered");
  std::vector<std::wstring> names = NamesShown(view, 2500);
  ctx.Expect(Joined(names) == "b.bmp c.bmp a.bmp ",
             "after the last comes the first (" + Joined(names) + ")");
  PostKey(view, VK_RETURN);  // bound to full screen, but in a show any key only stops it
  Sleep(300);
  const std::wstring stopped_on = WindowTitle(view);
  names = NamesShown(view, 2200);
  ctx.Expect(names.size() == 1 && WindowTitle(view) == stopped_on,
             "the key stopped the show (" + Joined(names) + ")");
  ctx.Expect(Text(WindowRect(view)) == Text(Screen()), "and nothing else: still full screen");
  Close(app, view);
}

E2E_SCENARIO(TitleBarComesAndGoesAroundAPictureThatStaysPut) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  const std::wstring picture = app.folder() + L"\\scene.bmp";
  if (!ctx.Expect(WritePatternBmp(picture, 200, 150, 3), "picture written")) return;
  HWND view;
  if (!StartViewerOn(ctx, app, Quoted(picture), &view, {{34, 1}})) return;
  if (!ctx.Expect(WaitForTitle(view, L"scene.bmp"), "the picture is shown")) return;
  const RECT client = ClientOnScreen(view);
  ctx.Expect(Style(view) & WS_CAPTION, "the window starts with its title bar");

  ctx.Expect(SendCommand(view, kTitleBar), "5330 answered");
  Sleep(300);
  ctx.Expect(!(Style(view) & WS_CAPTION), "the title bar is gone");
  ctx.Expect(Text(ClientOnScreen(view)) == Text(client),
             "the picture's area has not moved (" + Text(ClientOnScreen(view)) + ", was " +
                 Text(client) + ")");
  ctx.Expect(WindowRect(view).top == client.top, "the window begins where the picture does");

  ctx.Expect(SendCommand(view, kTitleBar), "5330 answered again");
  Sleep(300);
  ctx.Expect(Style(view) & WS_CAPTION, "the title bar is back");
  ctx.Expect(Text(ClientOnScreen(view)) == Text(client), "and the picture's area still has not moved");
  Close(app, view);
}

E2E_SCENARIO(SwitchAStartsASlideshowOnThePath) {
  AppInstance app(ctx.bin_dir);
  HWND view;
  if (!StartOnThreeImages(ctx, app, 0, L"/a ", &view)) return;
  const std::vector<std::wstring> names = NamesShown(view, 3600);
  ctx.Expect(Joined(names) == "a.bmp b.bmp c.bmp ",
             "the show runs from the given picture (" + Joined(names) + ")");
  ctx.Expect(Text(WindowRect(view)) == Text(Screen()), "full screen");
  Close(app, view);
}
