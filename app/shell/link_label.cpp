#include "app/shell/link_label.h"

#include <QDesktopServices>
#include <QDir>
#include <QMouseEvent>
#include <QUrl>

namespace tiko {

void ShellOpen(const QString& target) {
  QUrl url(target);
  if (url.scheme().isEmpty() || url.scheme().size() == 1) {  // a file, or a drive letter
    url = QUrl::fromLocalFile(QDir::current().absoluteFilePath(target));
  }
  QDesktopServices::openUrl(url);
}

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
      onClick) {
    onClick();
  }
}

}  // namespace tiko
