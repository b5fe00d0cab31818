#include "session/ComPortLink.h"

CComPortLink::CComPortLink(const std::string &strSysfsRoot) : m_discovery(strSysfsRoot), m_opener(m_port) {}

std::vector<int> CComPortLink::FindBridgePorts() {
  return m_discovery.FindBridgePorts();
}

void CComPortLink::SetHandler(ChunkHandler onChunk) {
  m_opener.SetReceiveCallback([onChunk = std::move(onChunk)](const unsigned char *p, int n) {
    if (n > 0)
      onChunk(p, static_cast<std::size_t>(n));
  });
}

IMeterLink::OpenResult CComPortLink::OpenPath(const std::string &strPath, ChunkHandler onChunk) {
  SetHandler(std::move(onChunk));
  COpenResult r = m_opener.OpenDevice(strPath);
  OpenResult out;
  out.bOk = r.m_eOutcome == COpenResult::Opened;
  if (!out.bOk)
    out.strReason = r.m_strMessage;
  return out;
}

IMeterLink::OpenResult CComPortLink::Open(int nPort, ChunkHandler onChunk) {
  SetHandler(std::move(onChunk));
  COpenResult r = m_opener.OpenPort(nPort);
  OpenResult out;
  switch (r.m_eOutcome) {
  case COpenResult::Opened:
    out.bOk = true;
    break;
  case COpenResult::RetryLater:
    out.nRetryMs = r.m_nRetryMs;
    break;
  case COpenResult::Failed: {
    // The first line is the view's own; keep only what happened.
    const std::size_t nl = r.m_strMessage.find('\n');
    out.strReason = nl == std::string::npos ? std::string() : r.m_strMessage.substr(nl + 1);
    break;
  }
  }
  return out;
}

bool CComPortLink::Write(const std::uint8_t *pData, std::size_t nSize) {
  if (nSize == 0)
    return true;
  return m_port.Write(pData, static_cast<int>(nSize)) == static_cast<int>(nSize);
}
