// A settings file that cannot be written: the player is told once, in a box
// and on standard error, and the unit plays on with the values in memory.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/program/store_notices.h"

namespace tiko {
namespace {

namespace fs = std::filesystem;

TEST(StoreNotice, FailedWriteIsToldOnceInABoxAndOnStandardError) {
  std::string pattern = (fs::temp_directory_path() / "tiko-notice-XXXXXX").string();
  const fs::path dir = ::mkdtemp(pattern.data());
  std::ofstream(dir / "Orvane") << "a file where the settings folder should be";
  const fs::path file = dir / "Orvane" / "Qorvix50.reg";
  {
    RegFileStore store(file);
    FormParts parts;
    parts.store = &store;
    TForm1 form(std::move(parts));
    QStringList boxes;
    form.show_error_box = [&boxes](const QString& m) { boxes << m; };
    std::ostringstream err;
    TellStoreNotices(store, form, err);
    form.FormCreate();           // writes the nine keys back
    EXPECT_TRUE(boxes.empty());  // not inside the unit's handler
    QCoreApplication::processEvents();
    store.WriteInteger("HiScore1", 250);
    QCoreApplication::processEvents();

    const std::string told =
        "Your settings could not be saved: cannot open " + file.string() + ".lock: Not a directory";
    EXPECT_EQ(boxes, QStringList{QString::fromStdString(told)});
    EXPECT_EQ(err.str(), "tiko: " + told + "\n");
    EXPECT_EQ(store.ReadInteger("HiScore1", 0), 250);
    EXPECT_EQ(store.ReadInteger("Key9", 0), 42);
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tiko
