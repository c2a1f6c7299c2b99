// Entry point of the Win32 test executable: one Wine process for every Win32 test.
#include <gtest/gtest.h>
#include <windows.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
