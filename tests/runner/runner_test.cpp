#include <gtest/gtest.h>
TEST(Runner, Placeholder) {}
