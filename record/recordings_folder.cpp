#include "record/recordings_folder.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>

#include "record/recorder.h"

namespace tiko {

std::filesystem::path RecordingsFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  std::filesystem::path base;
  // XDG_DATA_HOME counts only as an absolute path; a relative one is ignored.
  if (data && *data && std::filesystem::path(data).is_absolute()) {
    base = data;
  } else {
    const char* home = std::getenv("HOME");
    base = std::filesystem::path(home && *home ? home : ".") / ".local" / "share";
  }
  return base / "tiko" / "recordings";
}

std::string RecordingName(std::chrono::system_clock::time_point at) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(at);
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch()) % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  char name[40];
  std::strftime(name, sizeof name, "%Y%m%d-%H%M%S", &local);
  char full[64];
  std::snprintf(full, sizeof full, "%s-%03d.tiko", name, static_cast<int>(ms.count()));
  return full;
}

RecordingSummary ReadSummary(const std::filesystem::path& file) {
  RecordingSummary summary;
  summary.file = file;
  std::ifstream in(file);
  // The header is the comments before the first command.
  for (std::string line; std::getline(in, line) && line.starts_with("#");) {
    if (line.starts_with("# date ")) summary.date = line.substr(7);
    if (line.starts_with("# game ")) summary.games.push_back(line.substr(7));
    if (line == kHighScoreLine) summary.high_score = true;
  }
  return summary;
}

namespace {

std::vector<std::filesystem::path> RecordingFiles(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".tiko" && entry.is_regular_file(error)) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end(), std::greater<>());
  return files;
}

}  // namespace

std::vector<RecordingSummary> ListRecordings(const std::filesystem::path& folder) {
  std::vector<RecordingSummary> list;
  for (const auto& file : RecordingFiles(folder)) list.push_back(ReadSummary(file));
  return list;
}

void PruneRecordings(const std::filesystem::path& folder, size_t keep) {
  size_t kept = 0;
  for (const auto& file : RecordingFiles(folder)) {
    if (ReadSummary(file).high_score) continue;
    if (kept < keep) {
      ++kept;
      continue;
    }
    std::error_code error;
    std::filesystem::remove(file, error);
  }
}

}  // namespace tiko
