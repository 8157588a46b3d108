// A small ZIP writer for tests that need exact control over every header
// field: stored or deflated members, any flags and times, a comment.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

struct MadeMember {
  std::string name;
  std::vector<uint8_t> data;
  uint16_t method = 0;       // 0 stores; 8 deflates; anything else stores under that method
  uint16_t flags = 0;
  uint16_t dos_date = 0x21;  // 1980-01-01
  uint16_t dos_time = 0;
};

struct MadeZip {
  std::vector<uint8_t> bytes;
  std::vector<uint32_t> local_offsets;   // where each member's local header starts
  std::vector<uint32_t> central_offsets; // where each member's central header starts
  size_t end_record = 0;
};

inline std::vector<uint8_t> RawDeflate(const std::vector<uint8_t>& data) {
  z_stream s{};
  deflateInit2(&s, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  std::vector<uint8_t> out(deflateBound(&s, uLong(data.size())));
  s.next_in = const_cast<Bytef*>(data.data());
  s.avail_in = uInt(data.size());
  s.next_out = out.data();
  s.avail_out = uInt(out.size());
  deflate(&s, Z_FINISH);
  out.resize(s.total_out);
  deflateEnd(&s);
  return out;
}

inline void Put16(std::vector<uint8_t>* out, uint32_t v) {
  out->push_back(uint8_t(v));
  out->push_back(uint8_t(v >> 8));
}

inline void Put32(std::vector<uint8_t>* out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// Sizes and CRC go in the local header unless flag bit 3 is set, when they
// go only in a descriptor after the data and in the central directory.
inline MadeZip MakeZip(const std::vector<MadeMember>& members, const std::string& comment = {}) {
  MadeZip zip;
  std::vector<uint8_t>& out = zip.bytes;
  std::vector<std::vector<uint8_t>> packed;
  std::vector<uint32_t> crcs;
  for (const MadeMember& m : members) {
    packed.push_back(m.method == 8 ? RawDeflate(m.data) : m.data);
    crcs.push_back(uint32_t(crc32(0, m.data.data(), uInt(m.data.size()))));
    const bool descriptor = m.flags & 8;
    zip.local_offsets.push_back(uint32_t(out.size()));
    Put32(&out, 0x04034B50);
    Put16(&out, 20);
    Put16(&out, m.flags);
    Put16(&out, m.method);
    Put16(&out, m.dos_time);
    Put16(&out, m.dos_date);
    Put32(&out, descriptor ? 0 : crcs.back());
    Put32(&out, descriptor ? 0 : uint32_t(packed.back().size()));
    Put32(&out, descriptor ? 0 : uint32_t(m.data.size()));
    Put16(&out, uint32_t(m.name.size()));
    Put16(&out, 0);
    out.insert(out.end(), m.name.begin(), m.name.end());
    out.insert(out.end(), packed.back().begin(), packed.back().end());
    if (descriptor) {
      Put32(&out, 0x08074B50);
      Put32(&out, crcs.back());
      Put32(&out, uint32_t(packed.back().size()));
      Put32(&out, uint32_t(m.data.size()));
    }
  }
  const uint32_t directory = uint32_t(out.size());
  for (size_t i = 0; i < members.size(); ++i) {
    const MadeMember& m = members[i];
    zip.central_offsets.push_back(uint32_t(out.size()));
    Put32(&out, 0x02014B50);
    Put16(&out, 20);
    Put16(&out, 20);
    Put16(&out, m.flags);
    Put16(&out, m.method);
    Put16(&out, m.dos_time);
    Put16(&out, m.dos_date);
    Put32(&out, crcs[i]);
    Put32(&out, uint32_t(packed[i].size()));
    Put32(&out, uint32_t(m.data.size()));
    Put16(&out, uint32_t(m.name.size()));
    for (int k = 0; k < 4; ++k) Put16(&out, 0);  // extra, comment, disk, internal attributes
    Put32(&out, 0);                              // external attributes
    Put32(&out, zip.local_offsets[i]);
    out.insert(out.end(), m.name.begin(), m.name.end());
  }
  zip.end_record = out.size();
  Put32(&out, 0x06054B50);
  Put16(&out, 0);
  Put16(&out, 0);
  Put16(&out, uint32_t(members.size()));
  Put16(&out, uint32_t(members.size()));
  Put32(&out, uint32_t(zip.end_record - directory));
  Put32(&out, directory);
  Put16(&out, uint32_t(comment.size()));
  out.insert(out.end(), comment.begin(), comment.end());
  return zip;
}

inline std::vector<uint8_t> TextBytes(const std::string& text) { return {text.begin(), text.end()}; }
