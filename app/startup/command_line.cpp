#include "app/startup/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "tiko_version.h"

namespace tiko {

namespace {

constexpr const char* kDescription =
    "A simulator of the Bolo Garu Tiko LCD handheld game.\n"
    "\n"
    "The first start shows a splash window to choose the sound output. A right\n"
    "click on the unit opens the menu: F1 about, F2 and F3 the text files, F4 the\n"
    "manual, F12 fullscreen or windowed, Esc ends the program.\n"
    "\n"
    "Settings and high scores: $XDG_CONFIG_HOME/Orvane/Qorvix50.reg\n"
    "(~/.config/Orvane/Qorvix50.reg). Config.ini, the skin, is read from the\n"
    "player's own $XDG_DATA_HOME/tiko (~/.local/share/tiko), else the program's\n"
    "own folder, else the installed data folder (share/tiko beside the program's\n"
    "bin folder). Files a player's Config.ini names and their folder lacks come\n"
    "from the program's data.\n"
    "\n"
    "Every game is recorded in $XDG_DATA_HOME/tiko/recordings\n"
    "(~/.local/share/tiko/recordings) as a tiko-script script.";

void Print(std::FILE* to, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), to);
  std::fflush(to);
}

}  // namespace

std::optional<int> HandleCommandLine(int argc, char** argv, std::filesystem::path* replay) {
  QCoreApplication::setApplicationName(QStringLiteral("tiko"));
  QCoreApplication::setApplicationVersion(QStringLiteral(TIKO_VERSION));
  if (argc <= 1) return std::nullopt;  // started from a menu: nothing to parse
  // An application object without a window system, for the parser's usage
  // line; the real one comes after it, once the program is to start.
  int core_argc = argc;
  QCoreApplication core(core_argc, argv);
  const QStringList arguments = QCoreApplication::arguments();

  QCommandLineParser parser;
  parser.setApplicationDescription(QString::fromUtf8(kDescription));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const QCommandLineOption replay_option(
      QStringLiteral("replay"),
      QStringLiteral("Watch a recorded game at its own pace: Space pauses, the right arrow\n"
                     "runs it at 2x, 4x or 8x, Esc ends."),
      QStringLiteral("file"));
  parser.addOption(replay_option);
  // Qt reads its own window-system options (-platform, -display, ...) in the
  // application object; they pass here unchecked.
  for (const char* qt_option : {"platform", "display", "qwindowgeometry", "qwindowtitle",
                                "qwindowicon", "platformtheme", "plugin", "style", "stylesheet"}) {
    QCommandLineOption option(QString::fromLatin1(qt_option), QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);

  if (!parser.parse(arguments)) {
    Print(stderr, QStringLiteral("tiko: %1\n\n").arg(parser.errorText()) + parser.helpText());
    return 2;
  }
  if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
    Print(stdout, parser.helpText());
    return 0;
  }
  if (parser.isSet(version)) {
    Print(stdout,
          QStringLiteral("tiko " TIKO_VERSION "\nLicence: MIT (the LICENSE file of the source,\n"
                         "/usr/share/doc/tiko/copyright when installed)\n"));
    return 0;
  }
  if (!parser.positionalArguments().isEmpty()) {
    Print(stderr, QStringLiteral("tiko: unexpected argument '%1'\n\n")
                          .arg(parser.positionalArguments().constFirst()) +
                      parser.helpText());
    return 2;
  }
  if (replay && parser.isSet(replay_option)) {
    *replay = parser.value(replay_option).toStdString();
  }
  return std::nullopt;
}

}  // namespace tiko
