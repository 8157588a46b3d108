// How a start's arguments split into switch, entry key, path and the paths
// that get processes of their own.
#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::u16string>;

TEST(CommandLine, SwitchEntryKeyAndPath) {
  const CommandLine command = ParseCommandLine({u"/fz7", u"C:\\pics\\a.png"});
  EXPECT_EQ(command.switch_letter, u'f');
  EXPECT_EQ(command.entry_key, 7);
  EXPECT_EQ(command.path, u"C:\\pics\\a.png");
  EXPECT_TRUE(command.extra.empty());

  const CommandLine alone = ParseCommandLine({u"/s"});
  EXPECT_EQ(alone.switch_letter, u's');
  EXPECT_EQ(alone.entry_key, 0);
  EXPECT_TRUE(alone.path.empty());

  EXPECT_EQ(ParseCommandLine({u"/az3"}).entry_key, 3);
}

TEST(CommandLine, EntryKeyNeedsZAsThirdCharacterAndMustFit) {
  const std::pair<const char16_t*, int32_t> cases[] = {
      {u"/f12", 0},          {u"/fz", 0},          {u"/fzx9", 0},
      {u"/fz12abc", 12},     {u"/fz-5", -5},       {u"/fz-2147483648", INT32_MIN},
      {u"/fz2147483647", INT32_MAX},
      {u"/fz2147483648", 0},  // no key rather than some other entry's key
      {u"/fz99999999999999999999", 0},
  };
  for (const auto& [first, key] : cases) {
    EXPECT_EQ(ParseCommandLine({first, u"x"}).entry_key, key)
        << std::string(first, first + std::char_traits<char16_t>::length(first));
  }
}

TEST(CommandLine, ExtraArgumentsDependOnTheSwitch) {
  const CommandLine plain = ParseCommandLine({u"a.png", u"b.png", u"c.png"});
  EXPECT_EQ(plain.switch_letter, 0);
  EXPECT_EQ(plain.path, u"a.png");
  EXPECT_EQ(plain.extra, (Args{u"b.png", u"c.png"}));

  const CommandLine view = ParseCommandLine({u"/v", u"a", u"b", u"c"});
  EXPECT_EQ(view.path, u"a");
  EXPECT_EQ(view.extra, (Args{u"b", u"c"}));

  EXPECT_TRUE(ParseCommandLine({u"/f", u"a", u"b"}).extra.empty());

  // A lone slash is a switch without a letter: the next argument is the
  // path, and it is not started a second time.
  const CommandLine slash = ParseCommandLine({u"/", u"a", u"b"});
  EXPECT_EQ(slash.switch_letter, 0);
  EXPECT_EQ(slash.path, u"a");
  EXPECT_TRUE(slash.extra.empty());
}

}  // namespace
