#include "image/rar_operation_win.h"

#include <algorithm>
#include <cstring>

#include "image/rar_password_dialog_win.h"

namespace {

constexpr int kContinue = 0;
constexpr int kAbort = -1;

int TakeData(RarOperation* op, const void* chunk, LPARAM bytes) {
  if (!op->extract) return kContinue;
  if (bytes < 0 || static_cast<size_t>(bytes) > static_cast<size_t>(op->out_end - op->out_at)) return kAbort;
  std::memcpy(op->out_at, chunk, static_cast<size_t>(bytes));
  op->out_at += bytes;
  return kContinue;
}

int GivePassword(RarOperation* op, wchar_t* buffer, LPARAM capacity) {
  if (!op->password_asked) {
    op->password_asked = true;
    op->password_given = AskForRarPassword(op->owner, &op->password);
  }
  if (!op->password_given || !buffer || capacity <= 0) return kAbort;
  const size_t copied = std::min(op->password.size(), static_cast<size_t>(capacity) - 1);
  std::memcpy(buffer, op->password.data(), copied * sizeof(wchar_t));
  buffer[copied] = L'\0';
  return kContinue;
}

}  // namespace

int CALLBACK RarCallback(UINT message, LPARAM user_data, LPARAM p1, LPARAM p2) {
  auto* op = reinterpret_cast<RarOperation*>(user_data);
  switch (message) {
    case UCM_PROCESSDATA: return TakeData(op, reinterpret_cast<const void*>(p1), p2);
    // Nobody is asked for a missing volume: the set is simply not readable.
    case UCM_CHANGEVOLUMEW: return p2 == RAR_VOL_ASK ? kAbort : kContinue;
    case UCM_NEEDPASSWORDW: return GivePassword(op, reinterpret_cast<wchar_t*>(p1), p2);
  }
  return kContinue;
}
