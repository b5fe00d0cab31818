#pragma once

#include <string>

// What the receive path hands to the monitoring view. Every call is made
// from CReceivePath::OnChunk (or ParseLogData), on the UI thread, and is
// handled before the call returns.
class IReceiveSink {
public:
  virtual ~IReceiveSink() = default;
  // The meter sent its hold signal (a held meter sends it with every frame):
  // a run that ends with the meter ends.
  virtual void OnHoldSignal() = 0;
  // The download has ended (empty log or decoded): close the progress dialog.
  virtual void OnDownloadEnded() = 0;
  // Download progress: range 0..nUpper, step nStep, position nPos (bytes).
  virtual void OnDownloadProgress(int nUpper, int nStep, int nPos) = 0;
  // The meter state may have changed: repaint the live readout.
  virtual void OnReadoutRefresh() = 0;
  // A complete download's hex text, from after the header up to and
  // including the first "dd" (download mode has ended): pass it to ParseLogData.
  virtual void OnDownloadText(const std::string &strText) = 0;
};
