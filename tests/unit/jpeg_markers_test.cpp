// The marker walk: which markers it passes, where it stops, what it records
// about the Exif block, and which broken segments end it with a read error.
#include "codecs/jpeg_markers.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/jpeg_test_support.h"

namespace {

// Writes down what the walk handed over, and ends it where told.
class Recorder final : public JpegMarkerHandler {
 public:
  bool stop_at_exif = false;
  std::string seen;
  ExifSegment exif;

  bool OnExif(const ExifSegment& e) override {
    seen += "exif ";
    exif = e;
    return stop_at_exif;
  }
  bool OnComment(const JpegSegment& s) override {
    seen += "com:" + std::string(s.payload, s.next()) + " ";
    return false;
  }
  bool OnOtherSegment(const JpegSegment& s) override {
    seen += std::to_string(s.code) + " ";
    return false;
  }
};

JpegMarkerScan Scan(const Bytes& b, Recorder* r) { return ScanJpegMarkers(b.data(), b.size(), r); }

Bytes MinimalExif(bool little) { return ExifBuilder(little).Ifd0({{274, 3, 1, 6}}).Build(); }

TEST(JpegMarkerScan, PassesEverySegmentUpToTheImageData) {
  const Bytes b = JpegStream()
                      .Soi()
                      .Segment(0xE0, {'J', 'F', 'I', 'F', 0})
                      .Comment("hi")
                      .Segment(0xDB, Bytes(65, 1))
                      .Sos()
                      .Comment("after")
                      .Eoi()
                      .bytes();
  Recorder r;
  const JpegMarkerScan scan = Scan(b, &r);
  EXPECT_EQ(scan.status, Status::kOk);
  EXPECT_EQ(r.seen, "224 com:hi 219 ") << "nothing behind SOS is a marker to walk";
  EXPECT_EQ(scan.stop[1], 0xDA);
  EXPECT_FALSE(scan.exif_found);
}

TEST(JpegMarkerScan, SkipsStrayBytesAndFillBytesBeforeAMarker) {
  const Bytes b = JpegStream()
                      .Raw({0x00, 0x11})
                      .Soi()
                      .Raw({0x42, 0xFF, 0xFF, 0xFF})
                      .Raw({0xFE, 0x00, 0x03, 'x'})
                      .Eoi()
                      .Comment("late")
                      .bytes();
  Recorder r;
  const JpegMarkerScan scan = Scan(b, &r);
  EXPECT_EQ(scan.status, Status::kOk);
  EXPECT_EQ(r.seen, "com:x ") << "EOI ends the walk";
  EXPECT_EQ(scan.stop, b.data() + b.size() - 10);
}

TEST(JpegMarkerScan, RecordsTheExifBlockInBothByteOrders) {
  for (const bool little : {true, false}) {
    const Bytes exif = MinimalExif(little);
    const Bytes b = JpegStream().Soi().Segment(0xE1, exif).Sos().bytes();
    Recorder r;
    const JpegMarkerScan scan = Scan(b, &r);
    EXPECT_TRUE(scan.exif_found);
    EXPECT_EQ(scan.exif_start, 6u) << "the block starts at \"Exif\"";
    EXPECT_EQ(scan.exif_length, exif.size());
    EXPECT_EQ(r.exif.little_endian, little);
    EXPECT_EQ(r.exif.ifd0_offset, 8u);
    EXPECT_EQ(r.seen, "exif ");
  }
}

TEST(JpegMarkerScan, TakesAnyOtherByteOrderMarkAsBigEndian) {
  Bytes exif = MinimalExif(false);
  exif[6] = 'X';
  exif[7] = 'Y';
  Recorder r;
  Scan(JpegStream().Soi().Segment(0xE1, exif).Eoi().bytes(), &r);
  EXPECT_FALSE(r.exif.little_endian);
  EXPECT_EQ(r.exif.ifd0_offset, 8u);
}

TEST(JpegMarkerScan, OtherApp1SegmentsAreNotExif) {
  const Bytes xmp = {'h', 't', 't', 'p', ':', '/', '/', 'n', 's', '.', 'a', 'd', 'o', 'b', 'e'};
  const Bytes short_exif = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I'};
  Recorder r;
  const JpegMarkerScan scan =
      Scan(JpegStream().Soi().Segment(0xE1, xmp).Segment(0xE1, short_exif).Eoi().bytes(), &r);
  EXPECT_EQ(r.seen, "225 225 ");
  EXPECT_FALSE(scan.exif_found);
}

TEST(JpegMarkerScan, TheExifHandlerMayEndTheWalk) {
  const Bytes b = JpegStream().Soi().Segment(0xE1, MinimalExif(true)).Comment("c").Eoi().bytes();
  Recorder r;
  r.stop_at_exif = true;
  const JpegMarkerScan scan = Scan(b, &r);
  EXPECT_EQ(r.seen, "exif ");
  EXPECT_EQ(scan.status, Status::kOk);
  r = Recorder();
  Scan(b, &r);
  EXPECT_EQ(r.seen, "exif com:c ");
}

TEST(JpegMarkerScan, BrokenSegmentsEndTheWalkWithAReadError) {
  const Bytes start = JpegStream().Soi().Comment("ok").bytes();
  const Bytes cases[] = {
      JpegStream().Raw(start).Raw({0xFF, 0xDB, 0x00, 0x01}).Eoi().bytes(),  // length below 2
      JpegStream().Raw(start).Raw({0xFF, 0xDB, 0x00, 0x00}).Eoi().bytes(),
      JpegStream().Raw(start).Raw({0xFF, 0xDB, 0x00, 0x09, 1, 2}).bytes(),  // past the data
      JpegStream().Raw(start).Raw({0xFF, 0xDB, 0x00}).bytes(),              // a length cut
                                                                            // off
      JpegStream().Raw(start).Raw({0xFF, 0xDB}).bytes(),
  };
  for (const Bytes& b : cases) {
    Recorder r;
    const JpegMarkerScan scan = Scan(b, &r);
    EXPECT_EQ(scan.status, Status::kReadFailed) << b.size();
    EXPECT_EQ(r.seen, "com:ok ") << "what came before is still handed over";
  }
  Recorder r;
  EXPECT_EQ(Scan(JpegStream().Raw(start).Raw({0xFF, 0xDB, 0x00, 0x02}).Eoi().bytes(), &r).status,
            Status::kOk)
      << "a segment of only its length field is sound";
}

TEST(JpegMarkerScan, DataThatEndWithoutImageDataStopAtTheirEnd) {
  for (const Bytes& b : {Bytes{}, Bytes{0xFF}, Bytes{1, 2, 3}, JpegStream().Soi().bytes()}) {
    Recorder r;
    const JpegMarkerScan scan = ScanJpegMarkers(b.data(), b.size(), &r);
    EXPECT_EQ(scan.status, Status::kOk);
    EXPECT_EQ(scan.stop, b.data() + b.size());
  }
}

}  // namespace
