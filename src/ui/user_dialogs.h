#pragma once
// The file dialog and the input box, the two other questions the program puts to the user.
// While the message script is active (in tests) neither is shown: answers come from a
// queue of their own, and an unscripted question is recorded and answered with Cancel.
#include <QList>
#include <QString>
#include <optional>

class QWidget;

namespace zelk {

struct FileQuestion {
    QString caption;
    QString folder;
    QString filter;   // in the program's form: "Picture files (*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg"
};

struct InputQuestion {
    QString prompt;
    QString title;
    bool hidden = false;   // a password: what is typed shows as dots
    int maxLength = 0;     // the most characters the box takes; 0: no limit of its own
};

namespace UserDialogs {
// The full path of an existing file the user chose; empty when cancelled.
QString openFile(const FileQuestion& question, QWidget* parent = nullptr);
// The full path of a file to write that the user chose or named (`folder` may end in a
// proposed file name); empty when cancelled. Tests answer it as they answer openFile.
QString saveFile(const FileQuestion& question, QWidget* parent = nullptr);
// The text typed; nothing when cancelled.
std::optional<QString> inputBox(const InputQuestion& question, QWidget* parent = nullptr);

// The program's filter form as the dialog takes it: "Name (*.a;*.b)|*.a;*.b" ->
// "Name (*.a *.b)".
QString qtFilter(const QString& filter);
} // namespace UserDialogs

namespace DialogScript {
void answerFile(const QString& path);                   // "" answers Cancel
void answerInput(const std::optional<QString>& text);   // nothing answers Cancel
const QList<FileQuestion>& fileQuestions();
const QList<InputQuestion>& inputQuestions();
int unexpected();       // questions that found no queued answer
int pendingAnswers();   // queued answers not yet used
void reset();
} // namespace DialogScript

} // namespace zelk
