#include <gtest/gtest.h>

namespace TestGL {
void Init(int* argc, char** argv);
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!::testing::GTEST_FLAG(list_tests)) TestGL::Init(&argc, argv);
  return RUN_ALL_TESTS();
}
