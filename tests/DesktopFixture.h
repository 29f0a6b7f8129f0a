#pragma once
// An in-memory desktop with the application object on it, as the program's entry makes it.

#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/Random.h"
#include "platform/headless/HeadlessDesktop.h"

namespace wumpex {

class DesktopTest : public ::testing::Test {
 protected:
  DesktopTest() { SetRandSeed(0); }

  platform::headless::HeadlessDesktop desktop;
  platform::DesktopScope scope{desktop};
  TApplication application;
};

}  // namespace wumpex
