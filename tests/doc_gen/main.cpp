// Text layout needs a GUI application; the tests run it without a window system.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "tools/doc_gen/fonts.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  const QString fonts = docgen::load_fonts();
  if (!fonts.isEmpty()) {
    std::fprintf(stderr, "%s\n", qPrintable(fonts));
    return 1;
  }
  return RUN_ALL_TESTS();
}
