#pragma once

#include "session/MeterLink.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

// A meter link answered from a script: the ports discovery finds, the
// reason an open fails, and a record of what the view asked for.
class CFakeMeterLink : public IMeterLink {
public:
  std::vector<int> m_bridgePorts;
  std::map<int, std::string> m_openFailures; // port -> reason
  int m_nRetryMs = 0;                        // an open that is to be tried again this much later
  int m_nDiscoveries = 0;
  std::vector<int> m_opened;
  std::vector<std::string> m_openedPaths;
  std::map<std::string, std::string> m_pathFailures; // device path -> reason
  int m_nCloses = 0;
  std::vector<std::uint8_t> m_written;
  ChunkHandler m_onChunk;
  std::function<void()> m_duringSearch; // runs while a search is under way

  std::vector<int> FindBridgePorts() override {
    ++m_nDiscoveries;
    if (m_duringSearch)
      m_duringSearch();
    return m_bridgePorts;
  }
  OpenResult Open(int nPort, ChunkHandler onChunk) override {
    Close();
    m_opened.push_back(nPort);
    if (m_nRetryMs > 0)
      return {false, {}, m_nRetryMs};
    auto it = m_openFailures.find(nPort);
    if (it != m_openFailures.end())
      return {false, it->second};
    m_onChunk = std::move(onChunk);
    return {true, {}};
  }
  OpenResult OpenPath(const std::string &strPath, ChunkHandler onChunk) override {
    Close();
    m_openedPaths.push_back(strPath);
    auto it = m_pathFailures.find(strPath);
    if (it != m_pathFailures.end())
      return {false, it->second};
    m_onChunk = std::move(onChunk);
    return {true, {}};
  }
  void Close() override {
    ++m_nCloses;
    m_onChunk = nullptr;
  }
  bool IsOpen() const override { return static_cast<bool>(m_onChunk); }
  std::string PortDevice(int nPort) const override { return "/dev/ttyUSB" + std::to_string(nPort); }
  // The device goes away under the open port, as when the cable is pulled.
  void Unplug() { m_onChunk = nullptr; }
  bool Write(const std::uint8_t *p, std::size_t n) override {
    m_written.insert(m_written.end(), p, p + n);
    return true;
  }
};
