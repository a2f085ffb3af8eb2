#include "app/program/store_notices.h"

#include <QMetaObject>

namespace tiko {

void TellStoreNotices(RegFileStore& store, TForm1& form, std::ostream& err) {
  store.SetNoticeSink([&form, &err](RegFileStore::Notice notice, const std::string& message) {
    err << "tiko: " << message << std::endl;
    if (notice == RegFileStore::Notice::kBackedUp) return;
    // Writes happen inside the unit's handlers, which the box's own event
    // loop must not re-enter: the box waits for the main loop. Play goes on
    // with the values in memory.
    QMetaObject::invokeMethod(
        &form, [&form, message] { form.ShowError(message); }, Qt::QueuedConnection);
  });
}

}  // namespace tiko
