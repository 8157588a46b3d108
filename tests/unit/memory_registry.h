// A registry in memory with the real one's rules that the registration
// relies on: names compare without the case of ASCII letters, creating a key
// creates its parents, and a tree goes with its key.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "adjust/file_associations.h"
#include "image/ascii_case.h"

class MemoryRegistry : public UserRegistry {
 public:
  std::optional<std::u16string> ReadString(std::u16string_view key,
                                           std::u16string_view value) override {
    ++reads;
    auto k = values_.find(Folded(key));
    if (k == values_.end()) return std::nullopt;
    auto v = k->second.find(Folded(value));
    if (v == k->second.end()) return std::nullopt;
    return v->second;
  }
  bool WriteString(std::u16string_view key, std::u16string_view value,
                   std::u16string_view data) override {
    ++writes;
    CreateKey(key);
    values_[Folded(key)][Folded(value)] = std::u16string(data);
    return true;
  }
  bool DeleteValue(std::u16string_view key, std::u16string_view value) override {
    ++writes;
    auto k = values_.find(Folded(key));
    return k != values_.end() && k->second.erase(Folded(value)) > 0;
  }
  bool DeleteTree(std::u16string_view key) override {
    ++writes;
    std::u16string root = Folded(key);
    bool found = false;
    for (auto it = keys_.begin(); it != keys_.end();) {
      if (*it == root || it->rfind(root + u"\\", 0) == 0) {
        values_.erase(*it);
        it = keys_.erase(it);
        found = true;
      } else {
        ++it;
      }
    }
    return found;
  }
  bool DeleteIfEmpty(std::u16string_view key) override {
    std::u16string k = Folded(key);
    if (!keys_.count(k)) return false;
    auto v = values_.find(k);
    if (v != values_.end() && !v->second.empty()) return false;
    for (const std::u16string& other : keys_) {
      if (other.rfind(k + u"\\", 0) == 0) return false;
    }
    ++writes;
    keys_.erase(k);
    values_.erase(k);
    return true;
  }

  void CreateKey(std::u16string_view key) {
    std::u16string path = Folded(key);
    for (size_t at = path.find(u'\\'); at != std::u16string::npos; at = path.find(u'\\', at + 1)) {
      keys_.insert(path.substr(0, at));
    }
    keys_.insert(path);
  }

  // Every key and value as "key" and "key|value=data" lines, in order.
  std::vector<std::string> Contents() const {
    std::vector<std::string> lines;
    for (const std::u16string& key : keys_) {
      lines.push_back(Narrow(key));
      auto v = values_.find(key);
      if (v == values_.end()) continue;
      for (const auto& [name, data] : v->second) {
        lines.push_back(Narrow(key) + "|" + Narrow(name) + "=" + Narrow(data));
      }
    }
    return lines;
  }

  int reads = 0;
  int writes = 0;

 private:
  static std::u16string Folded(std::u16string_view name) {
    std::u16string folded(name);
    for (char16_t& c : folded) c = AsciiLower(c);
    return folded;
  }
  static std::string Narrow(const std::u16string& text) {
    std::string narrow;
    for (char16_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
  }
  std::set<std::u16string> keys_;
  std::map<std::u16string, std::map<std::u16string, std::u16string>> values_;
};
