#pragma once

#include "app/AppOptions.h"
#include "app/TarvikApp.h"
#include "sim/PtyMeter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

// The command line of `tarvik --simulate`.
inline AppOptions SimulatedOptions() {
  AppOptions options;
  options.bSimulate = true;
  return options;
}

// Starts `app` as the program does on its simulated meter, lets `setUp`
// shape the meter (frame interval, levels) before the window shows, then
// shows it.
inline ::testing::AssertionResult StartShown(CTarvikApp &app,
                                             const std::function<void(CPtyMeter &)> &setUp = {}) {
  std::string strError;
  if (!app.Start(strError))
    return ::testing::AssertionFailure() << strError;
  if (setUp)
    setUp(*app.Simulator());
  app.Show();
  return ::testing::AssertionSuccess();
}
