#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Outcome of reading or writing one file. A failure names the file and the
// reason so the UI can tell the user; nothing is thrown across the layer.
struct CFileResult {
  enum class Status {
    Ok,
    Cancelled,   // the progress callback asked to stop
    WrongFormat, // the first line is not a data file header
    Failed,      // the system refused: see strReason
  };

  Status status = Status::Ok;
  std::string strPath;
  std::string strReason;
  std::vector<std::string> warnings; // "line N: ..." notes from a lenient read

  bool Ok() const { return status == Status::Ok; }

  static CFileResult Success(std::string path) { return {Status::Ok, std::move(path), {}, {}}; }
  static CFileResult Failure(std::string path, std::string reason) {
    return {Status::Failed, std::move(path), std::move(reason), {}};
  }
};

// Called now and then by long jobs with the work done so far and the whole;
// returning false cancels the job, which then leaves everything as it was.
using ProgressFn = std::function<bool(std::size_t nDone, std::size_t nTotal)>;
