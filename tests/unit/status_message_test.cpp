#include "image/status_message.h"

#include <gtest/gtest.h>


namespace {

TEST(StatusMessage, CaptionAndTextFollowTheCodeRanges) {
  StatusMessageIds ids;
  ASSERT_TRUE(StatusMessageIdsFor(30001, &ids));
  EXPECT_EQ(ids.caption, 30000u);
  EXPECT_EQ(ids.lead, 0u);
  EXPECT_EQ(ids.text, 30001u);
  ASSERT_TRUE(StatusMessageIdsFor(30013, &ids));
  EXPECT_EQ(ids.text, 30013u);

  ASSERT_TRUE(StatusMessageIdsFor(50004, &ids));
  EXPECT_EQ(ids.caption, 50000u);
  EXPECT_EQ(ids.lead, 0u);
  EXPECT_EQ(ids.text, 50004u);
  ASSERT_TRUE(StatusMessageIdsFor(50010, &ids));
  EXPECT_EQ(ids.lead, 0u);
  EXPECT_EQ(ids.text_limit, 0u);

  // From 50011 on, the generic corrupt-data text leads a detail of at most
  // 128 characters.
  for (uint32_t code : {50011u, 50016u, 50024u}) {
    ASSERT_TRUE(StatusMessageIdsFor(code, &ids));
    EXPECT_EQ(ids.caption, 50000u);
    EXPECT_EQ(ids.lead, 50007u);
    EXPECT_EQ(ids.text, code);
    EXPECT_EQ(ids.text_limit, 128u);
  }
}

TEST(StatusMessage, CodesWithoutMessage) {
  StatusMessageIds ids;
  for (uint32_t code : {0u, 30000u, 30014u, 50000u, 50025u, 49999u}) {
    EXPECT_FALSE(StatusMessageIdsFor(code, &ids)) << code;
  }
}

}  // namespace
