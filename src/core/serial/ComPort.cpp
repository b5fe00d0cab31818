#include "serial/ComPort.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>

CComPort::CComPort() = default;

CComPort::~CComPort() {
  Close();
}

bool CComPort::Open(int nPort, int /*nMode*/, int nBaud, int nParity, int nDataBits, int nStopBits,
                    int nFlow) {
  Close();
  m_nPort = nPort;
  auto pPort = std::make_unique<CSerialPort>();
  bool bOk = pPort->Open(nPort, nBaud, nParity, nDataBits, nStopBits, nFlow, m_strTemplate);
  return StartReader(std::move(pPort), bOk);
}

bool CComPort::Open(const std::string &strDevice, int /*nMode*/, int nBaud, int nParity, int nDataBits,
                    int nStopBits, int nFlow) {
  Close();
  m_nPort = -1;
  auto pPort = std::make_unique<CSerialPort>();
  bool bOk = pPort->Open(strDevice, nBaud, nParity, nDataBits, nStopBits, nFlow);
  return StartReader(std::move(pPort), bOk);
}

bool CComPort::StartReader(std::unique_ptr<CSerialPort> pPort, bool bOpened) {
  if (!bOpened) {
    SetError(pPort->LastError());
    return false;
  }
  m_bHungUp = false;
  SetError({});
  CSink &sink = *this;
  auto pReader = std::make_unique<CReadComThread>(*pPort, sink);
  CSerialError error;
  if (!pReader->Start(error)) {
    SetError(error);
    return false;
  }
  // Writers on other threads see the port only once it is complete.
  std::lock_guard lock(m_writeMutex);
  m_pPort = std::move(pPort);
  m_pReader = std::move(pReader);
  return true;
}

void CComPort::Close() {
  if (!m_pPort)
    return;
  if (m_pReader)
    m_pReader->Stop(); // joined before the descriptor goes: closing does not wake a read
  std::lock_guard lock(m_writeMutex);
  m_pReader.reset();
  m_pPort.reset();
}

void CComPort::SetReceiveCallback(RecvFn fn) {
  std::lock_guard lock(m_cbMutex);
  m_pRecv = fn ? std::make_shared<const RecvFn>(std::move(fn)) : nullptr;
}

void CComPort::SetHangupCallback(HangupFn fn) {
  std::lock_guard lock(m_cbMutex);
  m_pHangup = fn ? std::make_shared<const HangupFn>(std::move(fn)) : nullptr;
}

void CComPort::SetReadSize(int nReadSize) {
  m_nReadSize = std::clamp(nReadSize, 1, 2048);
}

void CComPort::OnChunk(const unsigned char *pData, int nCount) {
  std::shared_ptr<const RecvFn> pRecv;
  {
    std::lock_guard lock(m_cbMutex);
    pRecv = m_pRecv;
  }
  if (pRecv)
    (*pRecv)(pData, nCount);
}

void CComPort::OnHangup(const CSerialError &error) {
  if (m_bHungUp.exchange(true))
    return;
  SetError(error);
  std::shared_ptr<const HangupFn> pHangup;
  {
    std::lock_guard lock(m_cbMutex);
    pHangup = m_pHangup;
  }
  if (pHangup)
    (*pHangup)(error);
}

int CComPort::Write(const void *pData, int nCount) {
  if (nCount <= 0)
    return 0;
  std::optional<CSerialError> hangup;
  int nDone = WriteLocked(pData, nCount, hangup);
  // Reported outside the lock, so the hang-up callback may write or close.
  if (hangup)
    OnHangup(*hangup);
  return nDone;
}

int CComPort::WriteLocked(const void *pData, int nCount, std::optional<CSerialError> &hangup) {
  std::lock_guard lock(m_writeMutex);
  if (!m_pPort || m_bHungUp)
    return 0;
  auto deadline = std::chrono::steady_clock::now() + kWriteBound;
  const auto *p = static_cast<const unsigned char *>(pData);
  int nDone = 0;
  while (nDone < nCount) {
    ssize_t n = m_pPort->Write(p + nDone, static_cast<size_t>(nCount - nDone));
    if (n > 0) {
      nDone += static_cast<int>(n);
      continue;
    }
    if (n < 0) {
      CSerialError error = m_pPort->LastError();
      if (error.m_eReason == ESerialError::HungUp)
        hangup = error;
      else
        SetError(error);
      break;
    }
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      SetError(MakeSerialError(ESerialError::TimedOut, EAGAIN, "the port took no bytes for a second"));
      break;
    }
    pollfd pfd{m_pPort->Fd(), POLLOUT, 0};
    int r = ::poll(&pfd, 1, static_cast<int>(left.count()));
    if (r < 0 && errno != EINTR)
      break;
    if (r > 0 && (pfd.revents & (POLLERR | POLLHUP | POLLNVAL)) && !(pfd.revents & POLLOUT)) {
      hangup = MakeSerialError(ESerialError::HungUp, EIO, m_pPort->Device() + " hung up");
      break;
    }
  }
  return nDone;
}

void CComPort::SetError(CSerialError error) {
  std::lock_guard lock(m_errorMutex);
  m_lastError = std::move(error);
}

CSerialError CComPort::LastError() const {
  std::lock_guard lock(m_errorMutex);
  return m_lastError;
}

std::string CComPort::Device() const {
  return m_pPort ? m_pPort->Device() : std::string();
}
