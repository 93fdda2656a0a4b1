// kavio-make-eml [--count N] [--body-kb K] [--attachment-kb A] [--seed S]
//                [--line-endings crlf|lf|mixed] FOLDER
// Writes N generated ".eml" files into FOLDER and lists them on stdout, one line each:
// file name, the mail's date (ISO 8601, empty without a Date header), the sender part.

#include "make-eml/EmlGenerator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <stdexcept>

using kavio::tools::TEmlOptions;
using kavio::tools::TLineEnding;

namespace {

bool ReadInt(const QCommandLineParser& AParser, const QString& AName, int ALow, int AHigh, int& AValue) {
  if (!AParser.isSet(AName)) return true;
  bool ok = false;
  const qlonglong value = AParser.value(AName).toLongLong(&ok);
  if (!ok || value < ALow || value > AHigh) {
    std::fprintf(stderr, "kavio-make-eml: --%s wants a number from %d to %d\n", qPrintable(AName), ALow, AHigh);
    return false;
  }
  AValue = static_cast<int>(value);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("kavio-make-eml"));
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Writes realistic .eml files for demos, tests and benchmarks."));
  parser.addHelpOption();
  parser.addOptions({
      {QStringLiteral("count"), QStringLiteral("Number of mails (default 24)."), QStringLiteral("N")},
      {QStringLiteral("body-kb"), QStringLiteral("Body size of each mail in KiB (default 4)."), QStringLiteral("K")},
      {QStringLiteral("attachment-kb"), QStringLiteral("Attachment size in KiB (default: a third of the body)."),
       QStringLiteral("A")},
      {QStringLiteral("seed"), QStringLiteral("Seed; the same seed gives the same files (default 1)."),
       QStringLiteral("S")},
      {QStringLiteral("line-endings"), QStringLiteral("crlf (default), lf or mixed."), QStringLiteral("E")},
  });
  parser.addPositionalArgument(QStringLiteral("FOLDER"),
                               QStringLiteral("Folder to write into (created when missing)."));
  if (!parser.parse(app.arguments())) {
    std::fprintf(stderr, "kavio-make-eml: %s\n", qPrintable(parser.errorText()));
    return 2;
  }
  if (parser.isSet(QStringLiteral("help"))) {
    std::fputs(qPrintable(parser.helpText()), stdout);
    return 0;
  }
  if (parser.positionalArguments().size() != 1) {
    std::fputs("kavio-make-eml: exactly one FOLDER expected (see --help)\n", stderr);
    return 2;
  }

  TEmlOptions options;
  int seed = 1;
  if (!ReadInt(parser, QStringLiteral("count"), 0, 10'000'000, options.Count) ||
      !ReadInt(parser, QStringLiteral("body-kb"), 0, 1'000'000, options.BodyKb) ||
      !ReadInt(parser, QStringLiteral("attachment-kb"), 0, 1'000'000, options.AttachmentKb) ||
      !ReadInt(parser, QStringLiteral("seed"), 0, 2'147'483'647, seed))
    return 2;
  options.Seed = static_cast<quint32>(seed);
  if (parser.isSet(QStringLiteral("line-endings"))) {
    const QString value = parser.value(QStringLiteral("line-endings")).toLower();
    if (value == QLatin1String("crlf"))
      options.LineEnding = TLineEnding::CrLf;
    else if (value == QLatin1String("lf"))
      options.LineEnding = TLineEnding::Lf;
    else if (value == QLatin1String("mixed"))
      options.LineEnding = TLineEnding::Mixed;
    else {
      std::fputs("kavio-make-eml: --line-endings wants crlf, lf or mixed\n", stderr);
      return 2;
    }
  }

  try {
    kavio::tools::TEmlGenerator generator(options);
    QTextStream out(stdout);
    for (const auto& mail : generator.WriteFolder(parser.positionalArguments().first()))
      out << mail.FileName << '\t' << (mail.Date.isValid() ? mail.Date.toString(Qt::ISODate) : QString()) << '\t'
          << mail.SenderPart << '\n';
  } catch (const std::runtime_error& error) {
    std::fprintf(stderr, "kavio-make-eml: %s\n", error.what());
    return 1;
  }
  return 0;
}
