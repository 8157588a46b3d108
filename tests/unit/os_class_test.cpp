#include "app/os_class.h"

#include <gtest/gtest.h>

namespace {

TEST(OsClass, FromVersion) {
  struct Case {
    uint32_t major, minor;
    int os_class;
  };
  const Case cases[] = {{4, 90, 0}, {5, 0, 0}, {5, 1, 1}, {5, 2, 1}, {6, 0, 2},  {6, 1, 3},
                        {6, 2, 4},  {6, 3, 5}, {6, 4, 5}, {7, 0, 5}, {10, 0, 5}, {0, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(OsClassFromVersion(c.major, c.minor), c.os_class) << c.major << "." << c.minor;
  }
}

}  // namespace
