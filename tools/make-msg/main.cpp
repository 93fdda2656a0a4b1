// kavio-make-msg: writes generated ".msg" files into a folder.

#include "MsgGenerator.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTextStream err(stderr);
  const QString usage = QStringLiteral(
      "Aufruf: kavio-make-msg [--count N] [--seed S] [--ansi] [--body-kb K] [--rtf-kb K]\n"
      "                       [--attachments N] [--attachment-kb K] [--embedded] ORDNER\n"
      "  --count N          Anzahl der Dateien (Vorgabe 10)\n"
      "  --seed S           Startwert des Zufallsgenerators (Vorgabe 1): gleiche Werte, gleiche Dateien\n"
      "  --ansi             Texte als 8-Bit-Zeichenketten (Windows-1252) statt Unicode\n"
      "  --body-kb K        Umfang des Textkörpers (Vorgabe 4)\n"
      "  --rtf-kb K         Umfang des RTF-Körpers vor der Kompression (Vorgabe 8, 0: keiner)\n"
      "  --attachments N    Anzahl der Dateianhänge (Vorgabe 0)\n"
      "  --attachment-kb K  Umfang eines Dateianhangs (Vorgabe 4)\n"
      "  --embedded         zusätzlich eine angehängte Nachricht\n");
  kavio::tools::TMsgGeneratorOptions options;
  int count = 10;
  uint32_t seed = 1;
  QString folder;
  const QStringList args = app.arguments().mid(1);
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    const auto number = [&](int& AValue) {
      bool ok = false;
      if (i + 1 < args.size()) AValue = args[++i].toInt(&ok);
      return ok && AValue >= 0;
    };
    int value = 0;
    bool ok = true;
    if (arg == QLatin1String("--count")) {
      ok = number(count);
    } else if (arg == QLatin1String("--seed")) {
      ok = number(value);
      seed = uint32_t(value);
    } else if (arg == QLatin1String("--ansi")) {
      options.Unicode = false;
    } else if (arg == QLatin1String("--body-kb")) {
      ok = number(value);
      options.BodyBytes = value * 1024;
    } else if (arg == QLatin1String("--rtf-kb")) {
      ok = number(value);
      options.RtfBytes = value * 1024;
    } else if (arg == QLatin1String("--attachments")) {
      ok = number(options.Attachments);
    } else if (arg == QLatin1String("--attachment-kb")) {
      ok = number(value);
      options.AttachmentBytes = value * 1024;
    } else if (arg == QLatin1String("--embedded")) {
      options.EmbeddedMessage = true;
    } else if (arg == QLatin1String("--help")) {
      QTextStream(stdout) << usage;
      return 0;
    } else if (!arg.startsWith(QLatin1String("--")) && folder.isEmpty()) {
      folder = arg;
    } else {
      ok = false;
    }
    if (!ok) {
      err << "kavio-make-msg: falsches Argument: " << arg << "\n" << usage;
      return 2;
    }
  }
  if (folder.isEmpty()) {
    err << usage;
    return 2;
  }
  const int written = kavio::tools::WriteMsgFiles(folder, count, seed, options);
  if (written < 0) {
    err << "kavio-make-msg: kann nicht nach " << folder << " schreiben\n";
    return 1;
  }
  QTextStream(stdout) << written << " Dateien in " << folder << "\n";
  return 0;
}
