#pragma once
// Reading the bytes of a text file as text, whatever wrote it: UTF-8 with or without a
// byte-order mark, UTF-16 with one, and otherwise Windows-1252, which spreadsheets on
// Windows write. The old DOS files are in code page 437.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace zelk::import {

enum class TextEncoding { Utf8, Utf8WithBom, Utf16WithBom, Windows1252 };

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
};

// The text of a file's bytes: a byte-order mark decides; without one, bytes that are
// valid UTF-8 are read as UTF-8, any others as Windows-1252.
DecodedText decodeText(QByteArrayView bytes);

// Bytes in a single-byte code page of the system's converter (iconv names: "CP437",
// "WINDOWS-1252"), which tells once per code page what each byte stands for. A byte the
// code page leaves undefined is read as the character of the same number, as Windows
// does. Throws std::runtime_error when the system cannot convert from that code page.
QString decodeCodePage(QByteArrayView bytes, const char* codePage);

} // namespace zelk::import
