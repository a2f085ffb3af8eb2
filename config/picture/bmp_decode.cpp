#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "config/picture/picture.h"
#include "engine/ports.h"

namespace tiko {

QImage DecodeBmp(std::span<const unsigned char> data, const PictureLimits& limits) {
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()),
                                             static_cast<qsizetype>(data.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "bmp");
  reader.setAutoTransform(false);
  QSize size = reader.size();
  if (size.isValid()) picture_detail::CheckSize("BMP", size.width(), size.height(), limits);

  QImage picture = reader.read();
  if (picture.isNull()) {
    throw UnitError("invalid BMP data (" + reader.errorString().toStdString() + ")");
  }
  picture_detail::CheckSize("BMP", picture.width(), picture.height(), limits);
  return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                           : QImage::Format_RGB32);
}

}  // namespace tiko
