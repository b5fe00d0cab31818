#pragma once

#include "files/ByteSink.h"
#include "files/FileResult.h"

#include <cstddef>
#include <string>

enum class ChunkedWriteEnd { Written, SinkFailed, Cancelled };

// Appends rows 0..nRows-1 to `chunk` with `appendRow(chunk, i)` and hands the
// sink about 60 KiB at a time, so a million rows never sit in memory at once;
// progress hears of every 8192nd row and may cancel. The last, partial chunk
// stays in `chunk` for the caller to finish and append.
template <class AppendRow>
ChunkedWriteEnd WriteRowsInChunks(CByteSink &sink, std::string &chunk, std::size_t nRows,
                                  AppendRow &&appendRow, const ProgressFn &progress) {
  constexpr std::size_t kChunkBytes = 60 * 1024;
  constexpr std::size_t kProgressEvery = 8192;
  chunk.reserve(kChunkBytes + 4 * 1024);
  for (std::size_t i = 0; i < nRows; ++i) {
    appendRow(chunk, i);
    if (chunk.size() >= kChunkBytes) {
      if (!sink.Append(chunk))
        return ChunkedWriteEnd::SinkFailed;
      chunk.clear();
    }
    if (progress && (i + 1) % kProgressEvery == 0 && !progress(i + 1, nRows))
      return ChunkedWriteEnd::Cancelled;
  }
  return ChunkedWriteEnd::Written;
}
