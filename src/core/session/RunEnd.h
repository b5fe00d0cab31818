#pragma once

// Why the last monitoring run ended, for the window to tell the user.
enum class ERunEnd {
  None,        // no run has ended yet
  User,        // the stop command
  SampleLimit, // the run's sample limit was reached
  HoldSignal,  // the meter sent its hold signal
  Silence,     // the meter fell silent for 2 seconds
  HangUp,      // the port went away (unplugged) and the meter fell silent
};
