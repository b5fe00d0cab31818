#pragma once

#include <QByteArray>
#include <QObject>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class QSocketNotifier;

// Hands the reader thread's chunks to the UI thread in arrival order. The
// reader only copies a chunk under a mutex and rings an eventfd; the UI
// thread's socket notifier drains the mailbox. No Qt object crosses the
// threads, so every hand-off is visible to the thread sanitizer.
class CChunkMailbox : public QObject {
public:
  using Handler = std::function<void(const QByteArray &)>;

  explicit CChunkMailbox(Handler onChunk, QObject *parent = nullptr);
  ~CChunkMailbox() override;

  // Reader thread.
  void Post(const std::uint8_t *pData, std::size_t nSize);
  // UI thread: deliver whatever has arrived (the notifier calls it too).
  void Drain();
  // Drops chunks not yet delivered (the port was closed).
  void Discard();

private:
  Handler m_onChunk;
  int m_nEventFd = -1;
  std::unique_ptr<QSocketNotifier> m_pNotifier;
  std::mutex m_mutex;
  std::vector<QByteArray> m_pending;
};
