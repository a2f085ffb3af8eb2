#include "app/startup/data_folder.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <cstdio>

#include "config/ini/config_path.h"

namespace tiko {

std::string MissingDataMessage(const DataFolders& folders) {
  std::string text =
      "Configuration file (Config.ini) not found. Please reinstall the game.\n\n"
      "Looked in:";
  for (const std::filesystem::path& folder : folders.Searched()) {
    text += '\n';
    text += folder.string();
  }
  return text;
}

std::string MissingDataLine(const DataFolders& folders) {
  std::string line = "tiko: Config.ini not found; looked in ";
  const std::vector<std::filesystem::path> searched = folders.Searched();
  for (std::size_t i = 0; i < searched.size(); ++i) {
    if (i > 0) line += i + 1 == searched.size() ? " and " : ", ";
    line += searched[i].string();
  }
  return line;
}

std::optional<DataFolders> LocateDataFolders() {
  // The program's real folder: a symlink to it finds the same data.
  const std::filesystem::path exe_dir = QCoreApplication::applicationDirPath().toStdString();
  DataFolders folders = ProgramDataFolders(UserDataFolder(), exe_dir, InstalledDataFromBin());
  if (folders.ConfigFolder()) return folders;
  std::fprintf(stderr, "%s\n", MissingDataLine(folders).c_str());
  std::fflush(stderr);
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"),
                  QString::fromStdString(MissingDataMessage(folders)), QMessageBox::Ok);
  box.exec();
  return std::nullopt;
}

}  // namespace tiko
