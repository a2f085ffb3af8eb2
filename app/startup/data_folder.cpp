#include "app/startup/data_folder.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <cstdio>

namespace tiko {

std::string MissingDataMessage(const DataSearch& search) {
  std::string text =
      "Configuration file (Config.ini) not found. Please reinstall the game.\n\n"
      "Looked in:";
  for (const std::filesystem::path& folder : search.searched) {
    text += '\n';
    text += folder.string();
  }
  return text;
}

std::string MissingDataLine(const DataSearch& search) {
  std::string line = "tiko: Config.ini not found; looked in";
  const char* separator = " ";
  for (const std::filesystem::path& folder : search.searched) {
    line += separator;
    line += folder.string();
    separator = " and ";
  }
  return line;
}

std::optional<std::filesystem::path> LocateDataFolder() {
  // The program's real folder: a symlink to it finds the same data.
  const std::filesystem::path exe_dir = QCoreApplication::applicationDirPath().toStdString();
  DataSearch search = FindDataDir(exe_dir, InstalledDataFromBin());
  if (search.found) return search.found;
  std::fprintf(stderr, "%s\n", MissingDataLine(search).c_str());
  std::fflush(stderr);
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"),
                  QString::fromStdString(MissingDataMessage(search)), QMessageBox::Ok);
  box.exec();
  return std::nullopt;
}

}  // namespace tiko
