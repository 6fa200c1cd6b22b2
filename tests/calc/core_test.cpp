#include <gtest/gtest.h>

#include "Humicalc.h"

TEST(Smoke, State) {
  humicalc::SetInit(101325);
  EXPECT_NEAR(humicalc::ID_D_T_F(20, 0.5), 7.26, 0.01);
  EXPECT_NEAR(humicalc::ID_TS_T_F(20, 0.5), 13.7, 0.05);
  EXPECT_NEAR(humicalc::ID_T_D_F(humicalc::ID_D_T_F(20, 0.5), 1), 9.27, 0.01);
}
