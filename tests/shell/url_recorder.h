// Takes the addresses handed to the desktop instead of opening them.
#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QStringList>
#include <QUrl>

namespace tiko::test {

class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  UrlRecorder() {
    for (const char* scheme : {"https", "mailto", "file"}) {
      QDesktopServices::setUrlHandler(scheme, this, "Open");
    }
  }
  ~UrlRecorder() override {
    for (const char* scheme : {"https", "mailto", "file"})
      QDesktopServices::unsetUrlHandler(scheme);
  }
  QStringList opened;

 public slots:
  void Open(const QUrl& url) { opened << url.toString(); }
};

}  // namespace tiko::test
