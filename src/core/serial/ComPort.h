#pragma once

#include "serial/ReadComThread.h"
#include "serial/SerialPort.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

// The meter's port and its reader thread. Open, Close and the setters belong
// to one thread (the UI thread); Write may be called from any thread.
class CComPort : private CReadComThread::CSink {
public:
  using RecvFn = std::function<void(const unsigned char *pData, int nCount)>;
  using HangupFn = std::function<void(const CSerialError &error)>;
  static constexpr int kMeterReadSize = 20;
  static constexpr std::chrono::milliseconds kWriteBound{1000};

  CComPort();
  CComPort(const CComPort &) = delete;
  CComPort &operator=(const CComPort &) = delete;
  ~CComPort() override;

  // Numbered ports go through the template (CSerialPort::kDefaultPortTemplate).
  void SetPortTemplate(std::string strTemplate) { m_strTemplate = std::move(strTemplate); }
  const std::string &PortTemplate() const { return m_strTemplate; }

  // nMode is taken as callers give it; every mode reads through the reader thread.
  bool Open(int nPort, int nMode, int nBaud, int nParity, int nDataBits, int nStopBits, int nFlow);
  bool Open(const std::string &strDevice, int nMode, int nBaud, int nParity, int nDataBits, int nStopBits,
            int nFlow);
  // Wakes and joins the reader, then closes the descriptor. Never call it from the callback.
  void Close();
  bool IsOpen() const { return m_pPort != nullptr; }

  // Both stay set across Close and Open. Chunks that arrive while none is set are dropped.
  void SetReceiveCallback(RecvFn fn);
  // Called once, on the reader thread, when the device goes away while open.
  void SetHangupCallback(HangupFn fn);
  // Bytes per chunk, 1 to 2048; takes effect before the next read.
  void SetReadSize(int nReadSize);

  // Writes all bytes or gives up after kWriteBound; returns the count written
  // (0 when nothing could be written). Serialised across callers.
  int Write(const void *pData, int nCount);

  bool IsHungUp() const { return m_bHungUp.load(); }
  CSerialError LastError() const;
  int PortNumber() const { return m_nPort; }
  std::string Device() const;

private:
  void OnChunk(const unsigned char *pData, int nCount) override;
  void OnHangup(const CSerialError &error) override;
  int ReadSize() const override { return m_nReadSize.load(); }
  bool StartReader(std::unique_ptr<CSerialPort> pPort, bool bOpened);
  int WriteLocked(const void *pData, int nCount, std::optional<CSerialError> &hangup);
  void SetError(CSerialError error);

  std::string m_strTemplate = CSerialPort::kDefaultPortTemplate;
  std::unique_ptr<CSerialPort> m_pPort;
  std::unique_ptr<CReadComThread> m_pReader;
  int m_nPort = -1;
  std::atomic<int> m_nReadSize{kMeterReadSize};
  std::atomic<bool> m_bHungUp{false};

  mutable std::mutex m_cbMutex; // guards the two callbacks
  std::shared_ptr<const RecvFn> m_pRecv;
  std::shared_ptr<const HangupFn> m_pHangup;

  std::mutex m_writeMutex; // one writer on the line at a time
  mutable std::mutex m_errorMutex;
  CSerialError m_lastError;
};
