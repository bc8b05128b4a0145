#pragma once
// Reading a whole text file for an import, with the reason when it cannot be read, told
// plainly: a file that is missing, a folder, one the user may not read, or one that holds
// no text (a spreadsheet's own file, a picture).
#include "text_encoding.h"

#include "core/question.h"

#include <QString>

namespace zelk::import {

enum class FileProblem { None, NotFound, Folder, NoPermission, NotText, Unreadable };

struct TextFile {
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
    FileProblem problem = FileProblem::None;
    QString detail;   // the system's reason, for Unreadable
};

// The file's text decoded as decodeText does (or in `codePage`, an iconv name, when
// given). A text holding a NUL character is no text.
TextFile readTextFile(const QString& path, const char* codePage = nullptr);

// The message that tells the user why the file could not be read.
MessageRequest unreadableFileMessage(const QString& path, const TextFile& file);

} // namespace zelk::import
