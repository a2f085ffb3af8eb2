// Where the data comes from: the player's own folder, the program's own folder
// (the portable layout the build writes) and the installed data folder, looked
// at in that order. Config.ini is read from the first of them that holds one.
// A relative path named in it resolves against that folder and then against
// each later folder holding a Config.ini, the first where the file exists: a
// player's skin may replace one picture and take the rest from the program.
#pragma once

#include <concepts>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tiko {

class DataFolders {
 public:
  enum class Kind { kUser, kProgram, kInstalled };
  struct Folder {
    std::filesystem::path dir;
    Kind kind;
  };

  DataFolders() = default;
  // One folder alone, taken as the program's own (empty: the working directory).
  template <typename Dir>
  requires std::constructible_from<std::filesystem::path, const Dir&> DataFolders(
      const Dir& dir)  // implicit: one folder is a search of one
      : folders_{{std::filesystem::path(dir), Kind::kProgram}} {}
  // An empty user folder is left out.
  DataFolders(const std::filesystem::path& user, const std::filesystem::path& program,
              const std::filesystem::path& installed);

  // The folders looked at, in order.
  std::vector<std::filesystem::path> Searched() const;
  // The first folder holding Config.ini.
  std::optional<Folder> ConfigFolder() const;
  // The Config.ini in use; where it was expected first when there is none.
  std::filesystem::path ConfigIni() const;
  // The folders relative paths resolve against, in order: the one holding
  // Config.ini and the later ones holding one; every folder when none does.
  std::vector<std::filesystem::path> ReadFrom() const;
  // A copy that keeps the folders ReadFrom() finds now, for one pass over many
  // files: it looks for Config.ini once, not once a file.
  DataFolders Settled() const;

  // A file named in Config.ini: the folder as written there (relative or
  // absolute, "\" or "/") followed by the file's name. The first existing
  // one; else the path in the first folder, which the caller finds missing.
  std::filesystem::path Resolve(std::string_view folder, std::string_view name) const;
  // A file of the data folders by its relative path ("Sound/Step.wav").
  std::filesystem::path Find(std::string_view relative) const { return Resolve("", relative); }

  // The Config.ini a player edits: the one in use, except that an installed
  // one is first copied into the player's folder (once: a copy found there is
  // in use already); ConfigIni() when there is none. `error` tells why the
  // copy failed.
  struct Editable {
    std::optional<std::filesystem::path> file;
    std::string error;
  };
  Editable EditableConfig() const;

 private:
  std::vector<Folder> folders_;
  std::optional<std::vector<std::filesystem::path>> read_from_;  // when settled
};

// The player's own data folder: $XDG_DATA_HOME/tiko, else ~/.local/share/tiko.
std::filesystem::path UserDataFolder();

// The data folders of a program in exe_dir: the player's folder, exe_dir
// itself, and the installed data folder `installed_from_bin` away from it.
DataFolders ProgramDataFolders(const std::filesystem::path& user,
                               const std::filesystem::path& exe_dir,
                               const std::filesystem::path& installed_from_bin);

}  // namespace tiko
