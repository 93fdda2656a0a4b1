#include "platform/Rfc2047.h"

#include "platform/CodePage.h"

#include <optional>

namespace kavio::platform {

namespace {

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

QByteArray DecodeQ(const QByteArray& AText) {
  QByteArray out;
  out.reserve(AText.size());
  for (qsizetype i = 0; i < AText.size(); ++i) {
    const char c = AText[i];
    if (c == '_') {
      out += ' ';
    } else if (c == '=' && i + 2 < AText.size() && HexValue(AText[i + 1]) >= 0 &&
               HexValue(AText[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(AText[i + 1]) * 16 + HexValue(AText[i + 2]));
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

struct TEncodedWord {
  qsizetype End;  // index after "?="
  QString Text;
};

// Reads an encoded word "=?charset?enc?text?=" starting at APos; nothing when there is none.
std::optional<TEncodedWord> ReadEncodedWord(const QByteArray& AValue, qsizetype APos) {
  if (APos + 1 >= AValue.size() || AValue[APos] != '=' || AValue[APos + 1] != '?') return std::nullopt;
  const qsizetype charsetEnd = AValue.indexOf('?', APos + 2);
  if (charsetEnd < 0 || charsetEnd == APos + 2) return std::nullopt;
  if (charsetEnd + 2 >= AValue.size() || AValue[charsetEnd + 2] != '?') return std::nullopt;
  const char encoding = AValue[charsetEnd + 1];
  const qsizetype textStart = charsetEnd + 3;
  const qsizetype textEnd = AValue.indexOf("?=", textStart);
  if (textEnd < 0) return std::nullopt;
  QByteArray charset = AValue.mid(APos + 2, charsetEnd - APos - 2);
  const QByteArray text = AValue.mid(textStart, textEnd - textStart);
  for (char c : charset)
    if (IsWhite(c)) return std::nullopt;
  for (char c : text)
    if (IsWhite(c)) return std::nullopt;
  // RFC 2231 section 5: "charset*language".
  if (const qsizetype star = charset.indexOf('*'); star >= 0) charset.truncate(star);

  QByteArray bytes;
  if (encoding == 'B' || encoding == 'b') {
    auto decoded = QByteArray::fromBase64Encoding(text, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) {
      // Lenient: some clients leave out the padding or add junk; decode what can be decoded.
      bytes = QByteArray::fromBase64(text);
    } else {
      bytes = *decoded;
    }
  } else if (encoding == 'Q' || encoding == 'q') {
    bytes = DecodeQ(text);
  } else {
    return std::nullopt;
  }
  TEncodedWord word{textEnd + 2, QString()};
  if (!DecodeCharset(bytes, charset, word.Text)) word.Text = DecodeCodePage(bytes, CodePageWindows1252);
  return word;
}

// Appends ASCII text, turning 8-bit runs into UTF-8.
void AppendRaw(QByteArray& AOut, const QByteArray& AText) {
  bool eightBit = false;
  for (char c : AText)
    if (static_cast<unsigned char>(c) >= 0x80) {
      eightBit = true;
      break;
    }
  if (!eightBit || IsValidUtf8(AText)) {
    AOut += AText;
    return;
  }
  AOut += DecodeCodePage(AText, CodePageWindows1252).toUtf8();
}

QByteArray NormaliseWords(const QByteArray& AValue) {
  QByteArray out;
  out.reserve(AValue.size() + 16);
  qsizetype pos = 0;
  qsizetype plainStart = 0;
  while (pos < AValue.size()) {
    const qsizetype start = AValue.indexOf("=?", pos);
    if (start < 0) break;
    auto word = ReadEncodedWord(AValue, start);
    if (!word) {
      pos = start + 2;
      continue;
    }
    AppendRaw(out, AValue.mid(plainStart, start - plainStart));
    QString run = word->Text;
    qsizetype end = word->End;
    // Further words separated only by white space belong to the same run.
    for (;;) {
      qsizetype next = end;
      while (next < AValue.size() && IsWhite(AValue[next])) ++next;
      auto following = ReadEncodedWord(AValue, next);
      if (!following) break;
      run += following->Text;
      end = following->End;
    }
    // One word for the whole run: GMime would lose all but the first of several.
    out += "=?UTF-8?B?" + run.toUtf8().toBase64() + "?=";
    pos = plainStart = end;
  }
  AppendRaw(out, AValue.mid(plainStart));
  return out;
}

}  // namespace

QByteArray NormaliseAddressList(const QByteArray& AValue) {
  // Addresses in angle brackets hold no encoded words (RFC 2047 section 5): they pass as they
  // are, only their 8-bit text made UTF-8. A "<" inside a quoted string opens nothing.
  QByteArray out;
  qsizetype start = 0;
  bool quoted = false;
  for (qsizetype i = 0; i < AValue.size(); ++i) {
    const char c = AValue[i];
    if (c == '\\' && quoted) {
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == '<' && !quoted) {
      const qsizetype close = AValue.indexOf('>', i);
      if (close < 0) break;
      out += NormaliseWords(AValue.mid(start, i - start));
      AppendRaw(out, AValue.mid(i, close + 1 - i));
      start = i = close + 1;
      --i;
    }
  }
  out += NormaliseWords(AValue.mid(start));
  return out;
}

QByteArray NormaliseHeaderValue(const QByteArray& AValue) { return NormaliseWords(AValue); }

QString DecodeUnstructured(const QByteArray& AValue) {
  QString out;
  qsizetype pos = 0;
  qsizetype plainStart = 0;
  bool afterWord = false;
  while (pos < AValue.size()) {
    const qsizetype start = AValue.indexOf("=?", pos);
    if (start < 0) break;
    auto word = ReadEncodedWord(AValue, start);
    if (!word) {
      pos = start + 2;
      continue;
    }
    const QByteArray between = AValue.mid(plainStart, start - plainStart);
    bool onlyWhite = true;
    for (char c : between)
      if (!IsWhite(c)) onlyWhite = false;
    if (!(afterWord && onlyWhite)) out += DecodeUtf8OrWindows1252(between);
    out += word->Text;
    afterWord = true;
    pos = plainStart = word->End;
  }
  out += DecodeUtf8OrWindows1252(AValue.mid(plainStart));
  return out;
}

bool IsPlainHeaderText(const QString& AText) {
  for (QChar c : AText) {
    const char16_t u = c.unicode();
    if (u < 0x20 || u > 0x7E) return false;
  }
  // Parsers fold white space at the ends and runs of blanks; encoded words keep them.
  if (AText.startsWith(QLatin1Char(' ')) || AText.endsWith(QLatin1Char(' ')) || AText.contains(QLatin1String("  ")))
    return false;
  return !AText.contains(QLatin1String("=?"));
}

QByteArray EncodeWords(const QString& AText, const QByteArray& ASeparator) {
  // "=?UTF-8?B?" + base64 + "?=" is at most 75 characters when the base64 part is at most 63
  // characters, that is at most 45 bytes of UTF-8 (RFC 2047 section 2).
  constexpr qsizetype MaxBytes = 45;
  QByteArray out;
  QByteArray chunk;
  auto flush = [&] {
    if (chunk.isEmpty()) return;
    if (!out.isEmpty()) out += ASeparator;
    out += "=?UTF-8?B?" + chunk.toBase64() + "?=";
    chunk.clear();
  };
  for (qsizetype i = 0; i < AText.size(); ++i) {
    qsizetype len = 1;
    if (AText[i].isHighSurrogate() && i + 1 < AText.size() && AText[i + 1].isLowSurrogate()) len = 2;
    const QByteArray bytes = AText.mid(i, len).toUtf8();
    if (chunk.size() + bytes.size() > MaxBytes) flush();
    chunk += bytes;
    i += len - 1;
  }
  flush();
  if (out.isEmpty()) out = "=?UTF-8?B?" "?=";
  return out;
}

}  // namespace kavio::platform
