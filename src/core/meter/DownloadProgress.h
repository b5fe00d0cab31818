#pragma once

// Where a download of the meter's memory stands; only the receive path,
// which frames the download, writes it.
struct CDownloadProgress {
  bool m_bDownloading = false; // arriving bytes are a download
  bool m_bLogHeader = false;   // its header has come
  int m_nLogSize = 0;          // from the header: the bytes the meter announced
  int m_nRecvBytes = 0;        // bytes received since the header
};
