#include "text_file.h"

#include <QFile>
#include <QFileInfo>

namespace zelk::import {

TextFile readTextFile(const QString& path, const char* codePage)
{
    TextFile result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.problem = FileProblem::NotFound;
        return result;
    }
    if (info.isDir()) {
        result.problem = FileProblem::Folder;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.problem = file.error() == QFileDevice::PermissionsError || !info.isReadable() ? FileProblem::NoPermission
                                                                                              : FileProblem::Unreadable;
        result.detail = file.errorString();
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.problem = FileProblem::Unreadable;
        result.detail = file.errorString();
        return result;
    }
    if (codePage) {
        result.text = decodeCodePage(bytes, codePage);
    } else {
        DecodedText decoded = decodeText(bytes);
        result.text = std::move(decoded.text);
        result.encoding = decoded.encoding;
    }
    if (result.text.contains(QChar(u'\0'))) {
        result.text.clear();
        result.problem = FileProblem::NotText;
    }
    return result;
}

MessageRequest unreadableFileMessage(const QString& path, const TextFile& file)
{
    const auto message = [](const QString& text, const char* title) {
        return MessageRequest{text, QString::fromLatin1(title), MsgButtons::OK, MsgIcon::Critical, MsgAnswer::OK};
    };
    switch (file.problem) {
    case FileProblem::NotFound:
        return message(QStringLiteral("Sorry, I can't find the file %1.\n\nIt may have been moved or deleted. "
                                      "Please choose it again.")
                           .arg(path),
                       "File not found");
    case FileProblem::Folder:
        return message(QStringLiteral("Sorry, %1 is a folder, not a file.\n\nPlease choose the file itself.").arg(path),
                       "Not a file");
    case FileProblem::NoPermission:
        return message(QStringLiteral("Sorry, I am not allowed to read the file %1.\n\n"
                                      "Please ask whoever looks after this computer for permission to read it, or "
                                      "save a copy of it in a folder of your own, then try again.")
                           .arg(path),
                       "Can't read file");
    case FileProblem::NotText:
        return message(QStringLiteral("Sorry, the file %1 does not appear to be a text file.\n\n"
                                      "Please save your data as a text file (separated by commas, tabs or "
                                      "semicolons, such as a CSV file), then try again.")
                           .arg(path),
                       "Not a text file");
    case FileProblem::Unreadable:
    case FileProblem::None:
        break;
    }
    return message(QStringLiteral("Sorry, I can't read the file %1 (%2).\n\nPlease check the file, then try again.")
                       .arg(path, file.detail),
                   "Can't read file");
}

} // namespace zelk::import
