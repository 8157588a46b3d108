// A second start hands its command line to the running viewer and ends
// without touching the settings file.
#include <windows.h>

#include <cstring>
#include <string>

#include "tests/e2e/app_instance.h"
#include "tests/e2e/fake_viewer.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/settings_file.h"

namespace {

constexpr size_t kRecordBytes = 526;

struct Received {
  uint16_t letter = 0;
  int32_t key = 0;
  std::wstring path;
};

Received DecodeRecord(const std::vector<uint8_t>& data) {
  Received r;
  std::memcpy(&r.letter, data.data(), 2);
  std::memcpy(&r.key, data.data() + 2, 4);
  for (size_t i = 6; i + 1 < kRecordBytes; i += 2) {
    wchar_t c = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    if (!c) break;
    r.path.push_back(c);
  }
  return r;
}

// Starts a second copy with hand-over on and the given arguments while the
// stand-in viewer runs; returns what the stand-in received.
bool HandOver(ScenarioContext& ctx, FakeViewer& viewer, const std::wstring& arguments,
              Received* got) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return false;
  WriteSettingsFile(app.settings_path(), QuietSettings({{1, 1}}));
  std::vector<uint8_t> settings_before = ReadFileBytes(app.settings_path());
  if (!ctx.Expect(app.Start(arguments), "second copy started")) return false;
  bool arrived = viewer.WaitForCopyData(10000);
  ctx.Expect(arrived, "the running viewer receives WM_COPYDATA for " + std::string(arguments.begin(), arguments.end()));
  long code = app.WaitForExit(5000);
  ctx.Expect(code == 0, "the second copy ends with code 0 (got " + std::to_string(code) + ")");
  ctx.Expect(ReadFileBytes(app.settings_path()) == settings_before,
             "the second copy leaves Ovira.ini untouched");
  if (!arrived) return false;
  ctx.Expect(viewer.kind() == 0, "hand-over messages carry dwData 0");
  if (!ctx.Expect(viewer.data().size() == kRecordBytes, "the record is 526 bytes")) return false;
  *got = DecodeRecord(viewer.data());
  return true;
}

}  // namespace

E2E_SCENARIO(SecondStartHandsOverSwitchKeyAndPath) {
  FakeViewer viewer;
  Received got;
  if (HandOver(ctx, viewer, L"/fz7 picture", &got)) {
    ctx.Expect(got.letter == L'f', "switch letter f");
    ctx.Expect(got.key == 7, "entry key 7");
    ctx.Expect(got.path == L"picture", "the path as given");
    ctx.Expect(viewer.receiver() == viewer.view(), "sent to the visible view window");
  }
  if (HandOver(ctx, viewer, L"/s", &got)) {
    ctx.Expect(got.letter == L's' && got.key == 0 && got.path.empty(),
               "/s alone sends letter s, key 0 and no path");
  }
}

E2E_SCENARIO(HandOverGoesToTheEditWindowWhenTheViewIsHidden) {
  FakeViewer viewer(/*visible=*/false);
  Received got;
  if (HandOver(ctx, viewer, L"\"C:\\pictures\\a b.png\"", &got)) {
    ctx.Expect(viewer.receiver() == viewer.edit(), "sent to the edit window");
    ctx.Expect(got.letter == 0 && got.path == L"C:\\pictures\\a b.png",
               "no switch: the first argument is the path");
  }
}

E2E_SCENARIO(OverlongHandOverPathIsSentEmpty) {
  FakeViewer viewer;
  Received got;
  std::wstring long_path = L"C:\\" + std::wstring(257, L'x');  // 260 characters
  if (HandOver(ctx, viewer, L"/v " + long_path, &got)) {
    ctx.Expect(got.letter == L'v' && got.path.empty(), "a 260-character path is sent empty");
  }
}

E2E_SCENARIO(HandOverOnWithNoRunningViewerStartsNormally) {
  AppInstance app(ctx.bin_dir);
  if (!ctx.Expect(app.Prepare({}), "program folder prepared")) return;
  WriteSettingsFile(app.settings_path(), QuietSettings({{1, 1}}));
  if (!ctx.Expect(app.Start(), "process started")) return;
  HWND view = app.WaitForWindow(L"Ovira_vwin_class");
  if (!ctx.Expect(view != nullptr, "its own view window appears")) return;
  ctx.Expect(IsWindowVisible(view), "and is visible");
  PostMessageW(view, WM_CLOSE, 0, 0);
  ctx.Expect(app.WaitForExit(5000) == 0, "it closes with code 0");
}
