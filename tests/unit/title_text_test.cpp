#include "view/title_text.h"

#include <gtest/gtest.h>

#include "image/image_buffer.h"

namespace {

TitleInput Photo() {
  TitleInput in;
  in.name = u"photo.bmp";
  in.has_image = true;
  in.source_format = kSourceBmp;
  in.width = 640;
  in.height = 480;
  in.bits_per_pixel = 24;
  in.file_bytes = 921654;  // 900.0 KiB and 54 bytes
  in.show_zoom = true;
  in.zoom = 1.0;
  return in;
}

TEST(TitleText, NameSizeDepthFileSizeAndZoom) {
  EXPECT_EQ(BuildTitleText(Photo()), u"photo.bmp  ( 640x480  24bit  900.0KB )  100%");
  TitleInput in = Photo();
  in.modified = true;
  in.zoom = 0.333;
  in.file_bytes = 1535;  // 1.49 KiB shows 1.4: the decimal is truncated
  EXPECT_EQ(BuildTitleText(in), u"photo.bmp*  ( 640x480  24bit  1.4KB )  33%");
}

TEST(TitleText, WithoutAnImageOnlyTheName) {
  TitleInput in;
  EXPECT_EQ(BuildTitleText(in), u"Ovira");
  in.name = u"gone.png";
  in.modified = true;  // no star without an image
  EXPECT_EQ(BuildTitleText(in), u"gone.png");
}

TEST(TitleText, PropertyLettersByFormat) {
  TitleInput in = Photo();
  in.show_zoom = false;
  in.source_format = kSourceJpeg;
  in.load = {true, false, 1, 2, 6};
  in.rotate_by_exif = true;
  EXPECT_EQ(BuildTitleText(in), u"photo.bmp  ( PCER  640x480  24bit  900.0KB )");
  in.load.exif_orientation = 1;
  EXPECT_EQ(BuildTitleText(in), u"photo.bmp  ( PCE  640x480  24bit  900.0KB )");
  in.source_format = kSourcePng;
  in.load = {true, true, 3, 0, 0};
  EXPECT_EQ(BuildTitleText(in), u"photo.bmp  ( IAT  640x480  24bit  900.0KB )");
  in.source_format = kSourceBmp;
  EXPECT_EQ(BuildTitleText(in), u"photo.bmp  ( 640x480  24bit  900.0KB )");
}

TEST(TitleText, ArchiveMemberAndPreviewSize) {
  TitleInput in = Photo();
  in.archive_name = u"holiday.zip";
  in.member_path = u"day1/";
  in.name = u"beach.bmp";
  in.show_zoom = false;
  in.show_preview_size = true;
  in.preview_bytes = 2048;
  EXPECT_EQ(BuildTitleText(in), u"holiday.zip::day1/beach.bmp  ( 640x480  24bit  900.0KB ) .... 2.0KB");
}

}  // namespace
