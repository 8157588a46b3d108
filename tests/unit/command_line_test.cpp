// How a start's arguments split into switch, entry key, path and the paths
// that get processes of their own.
#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::u16string>;

TEST(CommandLine, SwitchWithEntryKeyAndPath) {
  const CommandLine command = ParseCommandLine({u"/fz7", u"C:\\pics\\a.png"});
  EXPECT_EQ(command.switch_letter, u'f');
  EXPECT_EQ(command.entry_key, 7);
  EXPECT_EQ(command.path, u"C:\\pics\\a.png");
  EXPECT_TRUE(command.extra.empty());

  const CommandLine slideshow = ParseCommandLine({u"/az3"});
  EXPECT_EQ(slideshow.switch_letter, u'a');
  EXPECT_EQ(slideshow.entry_key, 3);
  EXPECT_TRUE(slideshow.path.empty());
}

TEST(CommandLine, SwitchAloneHasNoPath) {
  const CommandLine command = ParseCommandLine({u"/s"});
  EXPECT_EQ(command.switch_letter, u's');
  EXPECT_EQ(command.entry_key, 0);
  EXPECT_TRUE(command.path.empty());
  EXPECT_TRUE(command.extra.empty());
}

TEST(CommandLine, EntryKeyNeedsZAsThirdCharacter) {
  struct Case {
    const char16_t* first;
    int32_t key;
  };
  const Case cases[] = {
      {u"/f12", 0},          {u"/fz", 0},
      {u"/fzx9", 0},         {u"/fz12abc", 12},
      {u"/fz-5", -5},        {u"/fz2147483647", 2147483647},
      {u"/fz-2147483648", INT32_MIN},
      {u"/fz2147483648", 0},  // does not fit: no key rather than a wrapped one
      {u"/fz99999999999999999999", 0},
      {u"/z5", 0},           {u"/", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseCommandLine({c.first, u"x"}).entry_key, c.key)
        << std::string(c.first, c.first + std::char_traits<char16_t>::length(c.first));
  }
}

TEST(CommandLine, ExtraArgumentsDependOnTheSwitch) {
  const CommandLine plain = ParseCommandLine({u"a.png", u"b.png", u"c.png"});
  EXPECT_EQ(plain.switch_letter, 0);
  EXPECT_EQ(plain.path, u"a.png");
  EXPECT_EQ(plain.extra, (Args{u"b.png", u"c.png"}));

  const CommandLine view = ParseCommandLine({u"/v", u"a", u"b", u"c"});
  EXPECT_EQ(view.switch_letter, u'v');
  EXPECT_EQ(view.path, u"a");
  EXPECT_EQ(view.extra, (Args{u"b", u"c"}));

  const CommandLine full_screen = ParseCommandLine({u"/f", u"a", u"b", u"c"});
  EXPECT_EQ(full_screen.path, u"a");
  EXPECT_TRUE(full_screen.extra.empty());
}

TEST(CommandLine, DegenerateArguments) {
  const CommandLine none = ParseCommandLine({});
  EXPECT_EQ(none.switch_letter, 0);
  EXPECT_TRUE(none.path.empty());
  EXPECT_TRUE(none.extra.empty());

  // A lone slash is a switch without a letter: the next argument is the
  // path, and nothing is started twice.
  const CommandLine slash = ParseCommandLine({u"/", u"a", u"b"});
  EXPECT_EQ(slash.switch_letter, 0);
  EXPECT_EQ(slash.path, u"a");
  EXPECT_TRUE(slash.extra.empty());

  const CommandLine empty_first = ParseCommandLine({u"", u"b"});
  EXPECT_TRUE(empty_first.path.empty());
  EXPECT_EQ(empty_first.extra, (Args{u"b"}));
}

}  // namespace
