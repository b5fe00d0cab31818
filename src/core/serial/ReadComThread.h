#pragma once

#include "serial/ReadChunker.h"
#include "serial/SerialError.h"

#include <functional>
#include <thread>

class CSerialPort;

// The reader of one open port: waits in poll() on the port and a wake-up
// eventfd, cuts the bytes into chunks (CReadChunker) and hands each chunk to
// the sink on this thread. Ends on Stop() or on a hang-up, which it reports
// once; it never spins on a dead descriptor.
class CReadComThread {
public:
  struct CSink {
    virtual ~CSink() = default;
    virtual void OnChunk(const unsigned char *pData, int nCount) = 0;
    virtual void OnHangup(const CSerialError &error) = 0;
    virtual int ReadSize() const = 0;
  };

  CReadComThread(CSerialPort &port, CSink &sink);
  CReadComThread(const CReadComThread &) = delete;
  CReadComThread &operator=(const CReadComThread &) = delete;
  virtual ~CReadComThread();

  bool Start(CSerialError &error);
  // Wakes the thread and joins it; the port descriptor stays open for the caller to close.
  void Stop();

private:
  void Run();
  void Flush(CReadChunker &chunker);

  CSerialPort &m_port;
  CSink &m_sink;
  int m_wakeFd = -1;
  std::thread m_thread;
};
