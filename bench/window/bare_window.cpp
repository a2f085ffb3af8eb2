// The yardstick of the window benchmark: a bare frameless Qt window of the
// unit's size (499 x 771) that paints one picture, and reports its first
// painted frame the way the simulator does.
// Usage: bare_window PICTURE
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace {

const auto kStart = std::chrono::steady_clock::now();

class BareWindow : public QWidget {
 public:
  explicit BareWindow(const QString& file)
      : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), picture_(file) {
    setWindowTitle("Bare window");
    setFixedSize(499, 771);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.drawImage(0, 0, picture_);
    if (reported_) return;
    reported_ = true;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - kStart)
                        .count();
    std::printf("bare: first frame painted %lld ms after start\n", static_cast<long long>(ms));
    std::fflush(stdout);
  }

 private:
  QImage picture_;
  bool reported_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  BareWindow window(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
  window.show();
  return app.exec();
}
