// Building and sorting a folder list of 20,000 names: ours beside a plain
// filter and std::sort with a comparison that allocates, in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "image/file_list.h"
#include "image/file_list_build.h"
#include "image/file_list_sort.h"

namespace {

constexpr int kNames = 20000;

std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// Camera names, numbered scans, copies and some files that are no images, in
// the shuffled order a file system may give.
std::vector<FolderEntry> SyntheticFolder() {
  const char* const shapes[] = {"IMG_%d.JPG", "scan %d.tif", "Holiday %d (2).png", "img%d.jpeg",
                                "notes %d.txt", "DSC%05d.jpg", "frame_%d.gif", "page%d.bmp"};
  std::vector<FolderEntry> items;
  char name[64];
  for (int i = 0; i < kNames; ++i) {
    std::snprintf(name, sizeof name, shapes[i % 8], i);
    items.push_back({Ascii(name), {uint32_t(i * 7919), 30000000}, uint64_t(i % 977) * 1024, false});
  }
  std::shuffle(items.begin(), items.end(), std::mt19937(7));
  return items;
}

std::u16string Lower(std::u16string text) {
  for (char16_t& c : text) c = c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
  return text;
}

// Number runs as zero-padded text, so plain string order compares them.
std::vector<std::u16string> Chunks(const std::u16string& text) {
  std::vector<std::u16string> chunks;
  for (size_t i = 0; i < text.size();) {
    size_t j = i;
    const bool digits = text[i] >= u'0' && text[i] <= u'9';
    while (j < text.size() && (text[j] >= u'0' && text[j] <= u'9') == digits) ++j;
    std::u16string chunk = text.substr(i, j - i);
    if (digits) chunk.insert(0, 24 - std::min<size_t>(24, chunk.size()), u'0');
    chunks.push_back(chunk);
    i = j;
  }
  return chunks;
}

bool NaiveLess(const FileListEntry& a, const FileListEntry& b) {
  return Chunks(Lower(a.name)) < Chunks(Lower(b.name));
}

bool NaiveIsImage(const std::u16string& name) {
  const std::u16string lower = Lower(name);
  for (const char16_t* ext : {u".jpg", u".png", u".gif", u".bmp", u".tif", u".tiff", u".jpe",
                              u".jpeg"}) {
    const std::u16string e = ext;
    if (lower.size() >= e.size() && lower.compare(lower.size() - e.size(), e.size(), e) == 0) {
      return true;
    }
  }
  return false;
}

void BM_FolderList_Reference(benchmark::State& state) {
  const std::vector<FolderEntry> items = SyntheticFolder();
  for (auto _ : state) {
    std::vector<FileListEntry> entries;
    for (const FolderEntry& item : items) {
      if (!item.is_folder && NaiveIsImage(item.name)) {
        entries.push_back({item.name, {}, 0, item.last_write, item.size});
      }
    }
    std::sort(entries.begin(), entries.end(), NaiveLess);
    benchmark::DoNotOptimize(entries.data());
  }
}
BENCHMARK(BM_FolderList_Reference)->Unit(benchmark::kMillisecond);

void BM_FolderList_Ovira(benchmark::State& state) {
  const std::vector<FolderEntry> items = SyntheticFolder();
  for (auto _ : state) {
    FileList list;
    list.AssignFolder(CollectFolderImages(items, {}), SortOrder::kName, u"IMG_8.JPG");
    benchmark::DoNotOptimize(list.entries().data());
  }
}
BENCHMARK(BM_FolderList_Ovira)->Unit(benchmark::kMillisecond);

// Switching an existing list to another order and back.
void BM_FolderList_OviraResort(benchmark::State& state) {
  FileList list;
  list.AssignFolder(CollectFolderImages(SyntheticFolder(), {}), SortOrder::kName, u"");
  for (auto _ : state) {
    list.Sort(SortOrder::kSize);
    list.Sort(SortOrder::kName);
    benchmark::DoNotOptimize(list.entries().data());
  }
}
BENCHMARK(BM_FolderList_OviraResort)->Unit(benchmark::kMillisecond);

}  // namespace
