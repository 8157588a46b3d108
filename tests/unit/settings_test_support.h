// Helpers shared by the settings tests: little-endian fields and a builder
// for hand-made settings files. The builder lays bytes out by itself, so the
// tests do not judge the writer by the writer's own code.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace settings_test {

using Bytes = std::vector<uint8_t>;

inline void PutU16(Bytes& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

inline void PutU32(Bytes& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

inline uint32_t GetU32(const Bytes& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= uint32_t{bytes.at(at + i)} << (8 * i);
  return value;
}

inline Bytes Utf16(const std::u16string& text) {
  Bytes bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<uint8_t>(unit));
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
  }
  return bytes;
}

struct Slot {
  uint32_t position;
  uint32_t length;
};

inline Slot SlotOf(const Bytes& file, int index) {
  return Slot{GetU32(file, 4 + 8 * index), GetU32(file, 8 + 8 * index)};
}

inline Bytes BytesOf(const Bytes& file, Slot slot) {
  return Bytes(file.begin() + slot.position, file.begin() + slot.position + slot.length);
}

// A settings file put together by hand: any count and version, inline
// entries, byte strings placed one after another behind the directory, and
// raw slots for entries that should point anywhere.
class FileImage {
 public:
  FileImage(uint16_t count, uint16_t version) : count_(count), version_(version) {}

  FileImage& Inline(int index, int32_t value) {
    slots_[index] = Slot{1, static_cast<uint32_t>(value)};
    return *this;
  }
  FileImage& Raw(int index, uint32_t position, uint32_t length) {
    slots_[index] = Slot{position, length};
    return *this;
  }
  FileImage& String(int index, const Bytes& bytes) {
    slots_[index] = Slot{static_cast<uint32_t>(DataStart() + data_.size()),
                         static_cast<uint32_t>(bytes.size())};
    data_.insert(data_.end(), bytes.begin(), bytes.end());
    return *this;
  }
  FileImage& Text(int index, const std::u16string& text) { return String(index, Utf16(text)); }

  size_t DataStart() const { return 4 + 8 * size_t{count_}; }

  Bytes Build() const {
    Bytes bytes(DataStart(), 0);
    PutU16(bytes, 0, count_);
    PutU16(bytes, 2, version_);
    for (const auto& [index, slot] : slots_) {
      PutU32(bytes, 4 + 8 * index, slot.position);
      PutU32(bytes, 8 + 8 * index, slot.length);
    }
    bytes.insert(bytes.end(), data_.begin(), data_.end());
    return bytes;
  }

 private:
  uint16_t count_;
  uint16_t version_;
  std::map<int, Slot> slots_;
  Bytes data_;
};

}  // namespace settings_test
