#include "user_dialogs.h"

#include "message_box.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>

namespace zelk {

namespace {

struct Script {
    QList<QString> files;
    QList<std::optional<QString>> inputs;
    QList<FileQuestion> fileQuestions;
    QList<InputQuestion> inputQuestions;
    int unexpected = 0;
};

Script& script()
{
    static Script s;
    return s;
}

} // namespace

QString UserDialogs::qtFilter(const QString& filter)
{
    QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const qsizetype open = name.indexOf(u'(');
        if (open >= 0)
            name = name.left(open).trimmed();
        out << QStringLiteral("%1 (%2)").arg(name, parts[i + 1].split(u';').join(u' '));
    }
    return out.isEmpty() ? filter : out.join(QStringLiteral(";;"));
}

namespace {

QString scriptedFile(const FileQuestion& question)
{
    Script& s = script();
    s.fileQuestions.append(question);
    if (s.files.isEmpty()) {
        ++s.unexpected;
        return {};
    }
    return s.files.takeFirst();
}

} // namespace

QString UserDialogs::openFile(const FileQuestion& question, QWidget* parent)
{
    if (MessageScript::active())
        return scriptedFile(question);
    return QFileDialog::getOpenFileName(parent, question.caption, question.folder, qtFilter(question.filter));
}

QString UserDialogs::saveFile(const FileQuestion& question, QWidget* parent)
{
    if (MessageScript::active())
        return scriptedFile(question);
    return QFileDialog::getSaveFileName(parent, question.caption, question.folder, qtFilter(question.filter));
}

std::optional<QString> UserDialogs::inputBox(const InputQuestion& question, QWidget* parent)
{
    if (MessageScript::active()) {
        Script& s = script();
        s.inputQuestions.append(question);
        if (s.inputs.isEmpty()) {
            ++s.unexpected;
            return std::nullopt;
        }
        return s.inputs.takeFirst();
    }
    QInputDialog dialog(parent);
    dialog.setWindowTitle(question.title);
    dialog.setLabelText(question.prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextEchoMode(question.hidden ? QLineEdit::Password : QLineEdit::Normal);
    if (question.maxLength > 0)
        if (auto* box = dialog.findChild<QLineEdit*>())
            box->setMaxLength(question.maxLength);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

void DialogScript::answerFile(const QString& path) { script().files.append(path); }
void DialogScript::answerInput(const std::optional<QString>& text) { script().inputs.append(text); }
const QList<FileQuestion>& DialogScript::fileQuestions() { return script().fileQuestions; }
const QList<InputQuestion>& DialogScript::inputQuestions() { return script().inputQuestions; }
int DialogScript::unexpected() { return script().unexpected; }
int DialogScript::pendingAnswers() { return int(script().files.size() + script().inputs.size()); }
void DialogScript::reset() { script() = Script(); }

} // namespace zelk
