// The program's icon at every size drawn, for the windows' title bars and task bars.
#pragma once

#include <QIcon>

namespace tiko {

QIcon ProgramIcon();

}  // namespace tiko
