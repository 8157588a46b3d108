#include "adjust/file_associations.h"

#include <gtest/gtest.h>

#include "tests/unit/memory_registry.h"

namespace {

using Lines = std::vector<std::string>;

constexpr std::u16string_view kModule = u"C:\\Program Files\\Ovira\\Ovira.exe";
constexpr char kFileExts[] = "software\\microsoft\\windows\\currentversion\\explorer\\fileexts";
const std::u16string kExtKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
const std::u16string kAppCommand =
    u"Software\\Classes\\Applications\\Ovira.exe\\shell\\open\\command";

AssociationBoxes Only(AssociationFormat format) {
  AssociationBoxes boxes{};
  boxes[format] = true;
  return boxes;
}

// The lines of `all` that lie under `prefix`.
Lines Under(const Lines& all, const std::string& prefix) {
  Lines picked;
  for (const std::string& line : all) {
    if (line.rfind(prefix, 0) == 0) picked.push_back(line);
  }
  return picked;
}

TEST(CommandProgram, DropsArgumentsAndQuotes) {
  EXPECT_EQ(CommandProgram(u"\"C:\\Program Files\\Ovira\\Ovira.exe\" \"%1\""),
            u"C:\\Program Files\\Ovira\\Ovira.exe");
  EXPECT_EQ(CommandProgram(u"C:\\Ovira\\Ovira.exe %1"), u"C:\\Ovira\\Ovira.exe");
  EXPECT_EQ(CommandProgram(u"  \"C:\\Ovira\\Ovira.exe"), u"C:\\Ovira\\Ovira.exe");
  EXPECT_EQ(CommandProgram(u""), u"");
  EXPECT_EQ(OpenCommand(kModule), u"\"C:\\Program Files\\Ovira\\Ovira.exe\" \"%1\"");
}

TEST(Associations, JpegWritesAllThreeExtensionsAndTheApplicationKey) {
  MemoryRegistry registry;
  AssociationBoxes read = ReadAssociations(registry, kModule);
  EXPECT_EQ(read, AssociationBoxes{});
  ApplyAssociations(registry, kModule, &read, Only(kAssociateJpeg));
  std::string ext = kFileExts;
  EXPECT_EQ(Under(registry.Contents(), ext + "\\"),
            (Lines{ext + "\\.jpe", ext + "\\.jpe|application=Ovira.exe", ext + "\\.jpeg",
                   ext + "\\.jpeg|application=Ovira.exe", ext + "\\.jpg",
                   ext + "\\.jpg|application=Ovira.exe"}));
  EXPECT_EQ(registry.ReadString(kAppCommand, u""), OpenCommand(kModule));
  EXPECT_EQ(read, Only(kAssociateJpeg));

  // Reopening looks at ".jpg" only.
  registry.DeleteValue(kExtKey + u".jpeg", u"Application");
  EXPECT_EQ(ReadAssociations(registry, kModule), Only(kAssociateJpeg));
  registry.DeleteValue(kExtKey + u".jpg", u"Application");
  EXPECT_EQ(ReadAssociations(registry, kModule), AssociationBoxes{});
}

TEST(Associations, ApplyingTwiceWithoutChangesWritesNothing) {
  MemoryRegistry registry;
  AssociationBoxes read = ReadAssociations(registry, kModule);
  AssociationBoxes wanted = Only(kAssociatePng);
  wanted[kAssociateTiff] = true;
  ApplyAssociations(registry, kModule, &read, wanted);
  Lines after_first = registry.Contents();
  registry.writes = 0;
  ApplyAssociations(registry, kModule, &read, wanted);
  EXPECT_EQ(registry.writes, 0);
  EXPECT_EQ(registry.Contents(), after_first);
  EXPECT_EQ(ReadAssociations(registry, kModule), wanted);
}

TEST(Associations, TurningOffLeavesAnotherProgramsValueAlone) {
  MemoryRegistry registry;
  AssociationBoxes read = ReadAssociations(registry, kModule);
  AssociationBoxes all{};
  all.fill(true);
  ApplyAssociations(registry, kModule, &read, all);
  registry.WriteString(kExtKey + u".png", u"Application", u"Painter.exe");
  registry.WriteString(kExtKey + u".gif", u"Application", u"OVIRA.EXE");
  registry.WriteString(kExtKey + u".bmp", u"Application", kModule);
  ApplyAssociations(registry, kModule, &read, AssociationBoxes{});
  EXPECT_EQ(registry.ReadString(kExtKey + u".png", u"Application"), u"Painter.exe");
  EXPECT_FALSE(registry.ReadString(kExtKey + u".gif", u"Application"));
  EXPECT_FALSE(registry.ReadString(kExtKey + u".bmp", u"Application"));
  EXPECT_FALSE(registry.ReadString(kExtKey + u".tiff", u"Application"));
  // Keys are never deleted, and turning off leaves the application key.
  EXPECT_EQ(Under(registry.Contents(), std::string(kFileExts) + "\\.tif").size(), 2u);
  EXPECT_TRUE(registry.ReadString(kAppCommand, u""));
}

TEST(Associations, AnApplicationKeyOfAnotherCopyShowsEverythingOff) {
  MemoryRegistry registry;
  registry.WriteString(kAppCommand, u"", u"\"D:\\Old\\Ovira.exe\" \"%1\"");
  for (AssociationFormat f : {kAssociateBmp, kAssociatePng, kAssociateJpeg}) {
    registry.WriteString(kExtKey + std::u16string(AssociationExtensions(f).front()),
                         u"Application", u"Ovira.exe");
  }
  EXPECT_EQ(ReadAssociations(registry, kModule), AssociationBoxes{});
  // Turning one on makes the key open this copy.
  AssociationBoxes read{};
  ApplyAssociations(registry, kModule, &read, Only(kAssociateGif));
  EXPECT_EQ(registry.ReadString(kAppCommand, u""), OpenCommand(kModule));
  AssociationBoxes now = ReadAssociations(registry, kModule);
  EXPECT_TRUE(now[kAssociateBmp] && now[kAssociatePng] && now[kAssociateJpeg] && now[kAssociateGif]);
}

TEST(Associations, AnApplicationKeyOpeningThisCopyIsNotRewritten) {
  MemoryRegistry registry;
  registry.WriteString(kAppCommand, u"", u"\"c:\\program files\\ovira\\OVIRA.exe\" /v \"%1\"");
  AssociationBoxes read{};
  ApplyAssociations(registry, kModule, &read, Only(kAssociateBmp));
  EXPECT_EQ(registry.ReadString(kAppCommand, u""),
            u"\"c:\\program files\\ovira\\OVIRA.exe\" /v \"%1\"");
  EXPECT_EQ(ReadAssociations(registry, kModule), Only(kAssociateBmp));
}

// What another program and the user had before the program offered itself.
void WriteOthers(MemoryRegistry* registry) {
  registry->WriteString(u"Software\\Classes\\.png", u"", u"pngfile");
  registry->WriteString(u"Software\\Classes\\.png\\OpenWithProgids", u"Painter.png", u"");
  registry->WriteString(u"Software\\RegisteredApplications", u"Painter",
                        u"Software\\Painter\\Capabilities");
  registry->WriteString(
      u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.png\\UserChoice",
      u"ProgId", u"Painter.png");
}

RegistrationTexts Texts() {
  return {u"A fast, light image viewer",
          {u"BMP image", u"PNG image", u"JPEG image", u"GIF image", u"TIFF image"}};
}

TEST(OfferAsHandler, WritesTheWholeRegistrationAndNothingElse) {
  MemoryRegistry registry;
  WriteOthers(&registry);
  Lines before = registry.Contents();
  EXPECT_FALSE(IsOfferedAsHandler(registry, kModule));
  OfferAsHandler(registry, kModule, Texts());
  EXPECT_TRUE(IsOfferedAsHandler(registry, kModule));
  EXPECT_FALSE(IsOfferedAsHandler(registry, u"D:\\Other\\Ovira.exe"));

  Lines all = registry.Contents();
  const std::string command = "=\"C:\\Program Files\\Ovira\\Ovira.exe\" \"%1\"";
  const std::string icon = "=\"C:\\Program Files\\Ovira\\Ovira.exe\",0";
  EXPECT_EQ(Under(all, "software\\classes\\ovira.png"),
            (Lines{"software\\classes\\ovira.png", "software\\classes\\ovira.png|=PNG image",
                   "software\\classes\\ovira.png\\defaulticon",
                   "software\\classes\\ovira.png\\defaulticon|" + icon,
                   "software\\classes\\ovira.png\\shell", "software\\classes\\ovira.png\\shell\\open",
                   "software\\classes\\ovira.png\\shell\\open\\command",
                   "software\\classes\\ovira.png\\shell\\open\\command|" + command}));
  EXPECT_EQ(Under(all, "software\\classes\\.tiff"),
            (Lines{"software\\classes\\.tiff", "software\\classes\\.tiff\\openwithprogids",
                   "software\\classes\\.tiff\\openwithprogids|ovira.tiff="}));
  EXPECT_EQ(Under(all, "software\\classes\\.png\\"),
            (Lines{"software\\classes\\.png\\openwithprogids",
                   "software\\classes\\.png\\openwithprogids|ovira.png=",
                   "software\\classes\\.png\\openwithprogids|painter.png="}));
  Lines application = Under(all, "software\\classes\\applications\\ovira.exe");
  EXPECT_EQ(application.size(), 5u + 1u + 8u);  // keys, the command, eight extensions
  EXPECT_EQ(Under(all, "software\\ovira"),
            (Lines{"software\\ovira", "software\\ovira\\capabilities",
                   "software\\ovira\\capabilities|applicationdescription=A fast, light image viewer",
                   "software\\ovira\\capabilities|applicationname=Ovira",
                   "software\\ovira\\capabilities\\fileassociations",
                   "software\\ovira\\capabilities\\fileassociations|.bmp=Ovira.bmp",
                   "software\\ovira\\capabilities\\fileassociations|.gif=Ovira.gif",
                   "software\\ovira\\capabilities\\fileassociations|.jpe=Ovira.jpeg",
                   "software\\ovira\\capabilities\\fileassociations|.jpeg=Ovira.jpeg",
                   "software\\ovira\\capabilities\\fileassociations|.jpg=Ovira.jpeg",
                   "software\\ovira\\capabilities\\fileassociations|.png=Ovira.png",
                   "software\\ovira\\capabilities\\fileassociations|.tif=Ovira.tiff",
                   "software\\ovira\\capabilities\\fileassociations|.tiff=Ovira.tiff"}));
  EXPECT_EQ(Under(all, "software\\registeredapplications|"),
            (Lines{"software\\registeredapplications|ovira=Software\\Ovira\\Capabilities",
                   "software\\registeredapplications|painter=Software\\Painter\\Capabilities"}));
  // The user's own choice is never written.
  EXPECT_EQ(Under(all, std::string(kFileExts)), Under(before, std::string(kFileExts)));

  WithdrawAsHandler(registry, kModule);
  EXPECT_EQ(registry.Contents(), before);
  EXPECT_FALSE(IsOfferedAsHandler(registry, kModule));
}

TEST(OfferAsHandler, WithdrawingLeavesTheApplicationKeyOfAnotherCopy) {
  MemoryRegistry registry;
  OfferAsHandler(registry, kModule, Texts());
  registry.WriteString(kAppCommand, u"", u"\"D:\\Other\\Ovira.exe\" \"%1\"");
  WithdrawAsHandler(registry, kModule);
  EXPECT_EQ(registry.ReadString(kAppCommand, u""), u"\"D:\\Other\\Ovira.exe\" \"%1\"");
  EXPECT_FALSE(registry.ReadString(u"Software\\RegisteredApplications", u"Ovira"));
  EXPECT_TRUE(Under(registry.Contents(), "software\\classes\\ovira.").empty());
}

}  // namespace
