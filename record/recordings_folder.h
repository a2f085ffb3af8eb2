// The folder of recordings: where it is, the name of a new one, what a
// recording's header tells, and which old ones go.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace tiko {

// $XDG_DATA_HOME/tiko/recordings, else ~/.local/share/tiko/recordings.
std::filesystem::path RecordingsFolder();

// YYYYMMDD-HHMMSS-mmm.tiko for a recording begun at local time `at`: the
// names sort in the order the recordings were made.
std::string RecordingName(std::chrono::system_clock::time_point at);

struct RecordingSummary {
  std::filesystem::path file;
  std::string date;                // as the header gives it
  std::vector<std::string> games;  // "HH:MM:SS A 123" each
  bool high_score = false;
};

// What the header of a recording says; empty fields when it says nothing.
RecordingSummary ReadSummary(const std::filesystem::path& file);

// Every recording in `folder`, newest first.
std::vector<RecordingSummary> ListRecordings(const std::filesystem::path& folder);

// Deletes the oldest recordings beyond the newest `keep`, never one in which
// a high score was set.
void PruneRecordings(const std::filesystem::path& folder, size_t keep = 50);

}  // namespace tiko
