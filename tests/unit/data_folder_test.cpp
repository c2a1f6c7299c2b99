#include "store/data_folder.h"

#include <gtest/gtest.h>

namespace velumbrino {
namespace {

TEST(DataFolder, LoginNameCannotBreakTheRtf) {
  const std::string body = WelcomeBodyBytes("a{b}\\c");
  EXPECT_NE(body.find("Ola a\\{b\\}\\\\c agora"), std::string::npos);
}

}  // namespace
}  // namespace velumbrino
