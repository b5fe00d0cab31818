#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The session's way to the meter: find the bridge's port, open it with the
// meter's line settings and receive its chunks. The production link sits on
// the serial layer; tests hand the session a scripted one.
class IMeterLink {
public:
  virtual ~IMeterLink() = default;

  // Called on the port's reader thread with each chunk (1 to 20 bytes).
  using ChunkHandler = std::function<void(const std::uint8_t *, std::size_t)>;

  struct OpenResult {
    bool bOk = false;
    std::string strReason; // why the port could not be opened, for the user
    int nRetryMs = 0;      // not opened yet, but worth trying again this much later
  };

  // Numbers of the ports whose description is the meter's bridge, in the
  // order the system lists them.
  virtual std::vector<int> FindBridgePorts() = 0;
  // Closes the port if open, then opens port `nPort` at 9600 8N1 and reads
  // it in chunks of up to 20 bytes, handing each to `onChunk`.
  virtual OpenResult Open(int nPort, ChunkHandler onChunk) = 0;
  // Opens the device at `strPath` (symbolic links included) the same way.
  virtual OpenResult OpenPath(const std::string &strPath, ChunkHandler onChunk) {
    (void)onChunk;
    return {false, "cannot open " + strPath + " by its path"};
  }
  virtual void Close() = 0;
  // Bytes to the meter (keys, download request); false when nothing went out.
  virtual bool Write(const std::uint8_t *pData, std::size_t nSize) = 0;
  // A device has just arrived: its node may need a moment before it opens.
  virtual void NoteArrival() {}
  virtual bool IsOpen() const = 0;
  // The device behind port number `nPort`, as the user knows it ("/dev/ttyUSB0").
  virtual std::string PortDevice(int nPort) const { return "COM" + std::to_string(nPort); }
};
