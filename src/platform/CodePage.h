#pragma once
// 8-bit text in Windows code pages, decoded through iconv.

#include <QByteArray>
#include <QString>

namespace kavio::platform {

inline constexpr unsigned CodePageWindows1252 = 1252;
inline constexpr unsigned CodePageUtf8 = 65001;

// The iconv name of a Windows code-page number ("CP1252", "UTF-8", "SHIFT_JIS" ...); empty when
// the number is unknown.
QByteArray CodePageName(unsigned ACodePage);

// Whether iconv can decode this code page here.
bool IsCodePageSupported(unsigned ACodePage);

// The ANSI code page of a Windows locale id (LCID): 1031 -> 1252, 1049 -> 1251, 1041 -> 932 ...;
// 0 when the locale is unknown.
unsigned AnsiCodePageOfLocale(unsigned ALocaleId);

// Decodes 8-bit text in the given code page. A code page iconv does not know is read as
// Windows-1252; bytes that are invalid in the code page become U+FFFD.
QString DecodeCodePage(const QByteArray& AText, unsigned ACodePage);

// Decodes text by iconv charset name (as MIME names it: "iso-8859-1", "koi8-r", ...).
// Returns false when the charset is unknown to iconv.
bool DecodeCharset(const QByteArray& AText, const QByteArray& ACharset, QString& AResult);

// Raw 8-bit header text: UTF-8 when it is valid UTF-8, else Windows-1252.
QString DecodeUtf8OrWindows1252(const QByteArray& AText);

bool IsValidUtf8(const QByteArray& AText);

}  // namespace kavio::platform
