// What the settings file's troubles tell the player: a failed write in a
// message box and on standard error, a kept copy of a damaged file on
// standard error only.
#pragma once

#include <ostream>

#include "config/store/reg_file_store.h"
#include "display/main_window.h"

namespace tiko {

void TellStoreNotices(RegFileStore& store, TForm1& form, std::ostream& err);

}  // namespace tiko
