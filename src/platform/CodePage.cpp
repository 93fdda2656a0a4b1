#include "platform/CodePage.h"

#include <QList>
#include <QStringDecoder>
#include <cerrno>
#include <iconv.h>

namespace kavio::platform {

namespace {

struct TCodePageName {
  unsigned CodePage;
  const char* Name;
};

// Windows code pages and the names glibc's iconv knows them by.
constexpr TCodePageName CodePageNames[] = {
    {437, "CP437"},         {708, "ISO-8859-6"},    {720, "CP720"},        {737, "CP737"},
    {775, "CP775"},         {850, "CP850"},         {852, "CP852"},        {855, "CP855"},
    {857, "CP857"},         {860, "CP860"},         {861, "CP861"},        {862, "CP862"},
    {863, "CP863"},         {864, "CP864"},         {865, "CP865"},        {866, "CP866"},
    {869, "CP869"},         {874, "CP874"},         {932, "CP932"},        {936, "GBK"},
    {949, "CP949"},         {950, "BIG5"},          {1200, "UTF-16LE"},    {1201, "UTF-16BE"},
    {1250, "CP1250"},       {1251, "CP1251"},       {1252, "CP1252"},      {1253, "CP1253"},
    {1254, "CP1254"},       {1255, "CP1255"},       {1256, "CP1256"},      {1257, "CP1257"},
    {1258, "CP1258"},       {10000, "MACINTOSH"},   {20127, "ASCII"},      {20866, "KOI8-R"},
    {21866, "KOI8-U"},      {28591, "ISO-8859-1"},  {28592, "ISO-8859-2"}, {28593, "ISO-8859-3"},
    {28594, "ISO-8859-4"},  {28595, "ISO-8859-5"},  {28596, "ISO-8859-6"}, {28597, "ISO-8859-7"},
    {28598, "ISO-8859-8"},  {28599, "ISO-8859-9"},  {28603, "ISO-8859-13"}, {28605, "ISO-8859-15"},
    {50220, "ISO-2022-JP"}, {50221, "ISO-2022-JP"}, {50222, "ISO-2022-JP"}, {50225, "ISO-2022-KR"},
    {51932, "EUC-JP"},      {51936, "GB2312"},      {51949, "EUC-KR"},     {52936, "HZ"},
    {54936, "GB18030"},     {65000, "UTF-7"},       {65001, "UTF-8"},
};

// Primary language id (low 10 bits of an LCID) to its ANSI code page; a few locales whose code page
// differs from their primary language's are listed by full LCID first.
struct TLocaleCodePage {
  unsigned Id;
  unsigned CodePage;
};

constexpr TLocaleCodePage FullLocaleCodePages[] = {
    {0x0804, 936},   // Chinese (PRC)
    {0x1004, 936},   // Chinese (Singapore)
    {0x0404, 950},   // Chinese (Taiwan)
    {0x0C04, 950},   // Chinese (Hong Kong)
    {0x1404, 950},   // Chinese (Macao)
    {0x081A, 1250},  // Serbian (Latin)
    {0x0C1A, 1251},  // Serbian (Cyrillic)
    {0x141A, 1250},  // Bosnian (Latin)
    {0x201A, 1251},  // Bosnian (Cyrillic)
    {0x0443, 1254},  // Uzbek (Latin)
    {0x0843, 1251},  // Uzbek (Cyrillic)
    {0x042C, 1254},  // Azeri (Latin)
    {0x082C, 1251},  // Azeri (Cyrillic)
};

constexpr TLocaleCodePage PrimaryLanguageCodePages[] = {
    {0x01, 1256},  // Arabic
    {0x02, 1251},  // Bulgarian
    {0x03, 1252},  // Catalan
    {0x04, 936},   // Chinese
    {0x05, 1250},  // Czech
    {0x06, 1252},  // Danish
    {0x07, 1252},  // German
    {0x08, 1253},  // Greek
    {0x09, 1252},  // English
    {0x0A, 1252},  // Spanish
    {0x0B, 1252},  // Finnish
    {0x0C, 1252},  // French
    {0x0D, 1255},  // Hebrew
    {0x0E, 1250},  // Hungarian
    {0x0F, 1252},  // Icelandic
    {0x10, 1252},  // Italian
    {0x11, 932},   // Japanese
    {0x12, 949},   // Korean
    {0x13, 1252},  // Dutch
    {0x14, 1252},  // Norwegian
    {0x15, 1250},  // Polish
    {0x16, 1252},  // Portuguese
    {0x18, 1250},  // Romanian
    {0x19, 1251},  // Russian
    {0x1A, 1250},  // Croatian
    {0x1B, 1250},  // Slovak
    {0x1C, 1250},  // Albanian
    {0x1D, 1252},  // Swedish
    {0x1E, 874},   // Thai
    {0x1F, 1254},  // Turkish
    {0x20, 1256},  // Urdu
    {0x21, 1252},  // Indonesian
    {0x22, 1251},  // Ukrainian
    {0x23, 1251},  // Belarusian
    {0x24, 1250},  // Slovenian
    {0x25, 1257},  // Estonian
    {0x26, 1257},  // Latvian
    {0x27, 1257},  // Lithuanian
    {0x29, 1256},  // Persian
    {0x2A, 1258},  // Vietnamese
    {0x2D, 1252},  // Basque
    {0x2F, 1251},  // Macedonian
    {0x36, 1252},  // Afrikaans
    {0x38, 1252},  // Faroese
    {0x3E, 1252},  // Malay
    {0x3F, 1251},  // Kazakh
    {0x41, 1252},  // Swahili
    {0x56, 1252},  // Galician
};

const iconv_t NoIconv = reinterpret_cast<iconv_t>(-1);

// Conversion descriptors to UTF-16LE, kept per thread and charset name. glibc's iconv_open
// loads the charset's gconv module (dlopen) and iconv_close unloads it again when no other
// descriptor holds it, so a descriptor per conversion costs a dlopen and a dlclose each time:
// most of a folder scan's time. Unknown names are remembered too, up to a bound, since a
// folder of mails can name any number of charsets.
class TIconvCache {
 public:
  TIconvCache() = default;
  TIconvCache(const TIconvCache&) = delete;
  TIconvCache& operator=(const TIconvCache&) = delete;
  ~TIconvCache() {
    for (const TEntry& entry : FEntries)
      if (entry.Cd != NoIconv) iconv_close(entry.Cd);
  }

  // A descriptor in its initial state, or NoIconv when the charset is unknown. AOwned is set
  // when the caller must close it (the cache is full).
  iconv_t Open(const char* ACharset, bool& AOwned) {
    AOwned = false;
    const QByteArray key = QByteArray(ACharset).toLower();
    for (const TEntry& entry : FEntries)
      if (entry.Name == key) {
        if (entry.Cd != NoIconv) iconv(entry.Cd, nullptr, nullptr, nullptr, nullptr);
        return entry.Cd;
      }
    const iconv_t cd = iconv_open("UTF-16LE", ACharset);
    if (FEntries.size() >= MaxEntries) {
      AOwned = cd != NoIconv;
      return cd;
    }
    FEntries.append({key, cd});
    return cd;
  }

 private:
  static constexpr qsizetype MaxEntries = 32;
  struct TEntry {
    QByteArray Name;  // lower case
    iconv_t Cd;
  };
  QList<TEntry> FEntries;
};

iconv_t OpenIconv(const char* ACharset, bool& AOwned) {
  thread_local TIconvCache cache;
  return cache.Open(ACharset, AOwned);
}

// Converts with iconv to UTF-16LE; invalid sequences become U+FFFD and the conversion goes on.
bool Iconv(const QByteArray& AText, const char* ACharset, QString& AResult) {
  bool owned = false;
  iconv_t cd = OpenIconv(ACharset, owned);
  if (cd == NoIconv) return false;
  QByteArray out;
  out.resize(AText.size() * 4 + 16);
  char* in = const_cast<char*>(AText.constData());
  size_t inLeft = static_cast<size_t>(AText.size());
  char* outPtr = out.data();
  size_t outLeft = static_cast<size_t>(out.size());
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      const auto used = outPtr - out.data();
      out.resize(out.size() * 2);
      outPtr = out.data() + used;
      outLeft = static_cast<size_t>(out.size() - used);
      continue;
    }
    // EILSEQ or EINVAL (truncated sequence at the end): one replacement character, skip a byte.
    if (outLeft < 2) {
      const auto used = outPtr - out.data();
      out.resize(out.size() * 2);
      outPtr = out.data() + used;
      outLeft = static_cast<size_t>(out.size() - used);
    }
    *outPtr++ = static_cast<char>(0xFD);
    *outPtr++ = static_cast<char>(0xFF);
    outLeft -= 2;
    ++in;
    --inLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  // Flush a stateful encoding (ISO-2022-JP) back to its initial state.
  iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
  if (owned) iconv_close(cd);
  const auto bytes = outPtr - out.data();
  AResult = QString(reinterpret_cast<const QChar*>(out.constData()), static_cast<qsizetype>(bytes / 2));
  return true;
}

}  // namespace

QByteArray CodePageName(unsigned ACodePage) {
  for (const auto& entry : CodePageNames)
    if (entry.CodePage == ACodePage) return entry.Name;
  return {};
}

bool IsCodePageSupported(unsigned ACodePage) {
  const QByteArray name = CodePageName(ACodePage);
  if (name.isEmpty()) return false;
  bool owned = false;
  iconv_t cd = OpenIconv(name.constData(), owned);
  if (cd == NoIconv) return false;
  if (owned) iconv_close(cd);
  return true;
}

unsigned AnsiCodePageOfLocale(unsigned ALocaleId) {
  for (const auto& entry : FullLocaleCodePages)
    if (entry.Id == (ALocaleId & 0xFFFF)) return entry.CodePage;
  const unsigned primary = ALocaleId & 0x3FF;
  for (const auto& entry : PrimaryLanguageCodePages)
    if (entry.Id == primary) return entry.CodePage;
  return 0;
}

QString DecodeCodePage(const QByteArray& AText, unsigned ACodePage) {
  if (AText.isEmpty()) return {};
  QByteArray name = CodePageName(ACodePage);
  if (name.isEmpty()) name = "CP1252";
  QString result;
  if (Iconv(AText, name.constData(), result)) return result;
  Iconv(AText, "CP1252", result);
  return result;
}

bool DecodeCharset(const QByteArray& AText, const QByteArray& ACharset, QString& AResult) {
  if (ACharset.isEmpty()) return false;
  QByteArray name = ACharset;
  // MIME names iconv spells differently.
  const QByteArray lower = ACharset.toLower();
  if (lower == "utf8") name = "UTF-8";
  else if (lower == "x-user-defined" || lower == "unknown-8bit" || lower == "x-unknown") return false;
  return Iconv(AText, name.constData(), AResult);
}

bool IsValidUtf8(const QByteArray& AText) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = decoder.decode(AText);  // the decoding runs on this conversion
  return !decoder.hasError();
}

QString DecodeUtf8OrWindows1252(const QByteArray& AText) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = decoder.decode(AText);
  if (!decoder.hasError()) return text;
  return DecodeCodePage(AText, CodePageWindows1252);
}

}  // namespace kavio::platform
