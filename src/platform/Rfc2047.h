#pragma once
// RFC 2047 encoded words: decoding into one canonical form, and writing them.

#include <QByteArray>
#include <QString>

namespace kavio::platform {

// Rewrites a raw header value so that a MIME parser reads it without guessing:
// - every run of encoded words that stand next to each other (only white space between them,
//   RFC 2047 section 6.2) becomes one "=?UTF-8?B?...?=" word holding the decoded text of the run;
//   this also works around GMime 3.2 dropping all but the first of adjacent B words;
// - an encoded word in a charset iconv does not know is read as Windows-1252;
// - raw 8-bit text is read as UTF-8 when valid, else as Windows-1252, and written as UTF-8.
// ASCII text outside encoded words is left as it stands.
QByteArray NormaliseHeaderValue(const QByteArray& AValue);

// The same for an address list (From, To): addresses in angle brackets are left as they stand.
QByteArray NormaliseAddressList(const QByteArray& AValue);

// Decodes an unstructured header value (such as Subject) completely.
QString DecodeUnstructured(const QByteArray& AValue);

// Whether a text can stand in a header as it is: printable US-ASCII and single blanks inside
// only, no "=?".
bool IsPlainHeaderText(const QString& AText);

// The text as a sequence of "=?UTF-8?B?...?=" words, each at most 75 characters, never
// splitting a character, joined by ASEparator (such as "\r\n " to fold).
QByteArray EncodeWords(const QString& AText, const QByteArray& ASeparator = "\r\n ");

}  // namespace kavio::platform
