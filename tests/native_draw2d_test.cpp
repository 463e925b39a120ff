// 2D drawing commands, native only: the binding guard and the fades' sleeps.
#include "../plugin/host.h"
#include "../plugin/platform_native.h"
#include "plugin.h"

using Draw2dNative = plugin::HostTest;  // each test starts with the table unbound

TEST_F(Draw2dNative, BezierFunctionLeavesTheTableUnbound) {
  ASSERT_FALSE(host::bound);
  cmd::bezierfunction(1, 2, 3, 0.5f);
  EXPECT_FALSE(host::bound);
  cmd::hollowrect(0, 0, 1, 1);
  EXPECT_TRUE(host::bound);
}

TEST_F(Draw2dNative, FadesSleepTheDelayAfterEveryStep) {
  platform::native::clear_sleeps();
  cmd::fadescreen(1, 3);
  EXPECT_EQ(platform::native::sleeps(), std::vector<int>(100, 3));
  platform::native::clear_sleeps();
  cmd::flashscreen(1, -5);  // a negative delay sleeps 0 ms
  EXPECT_EQ(platform::native::sleeps(), std::vector<int>(201, 0));
}
