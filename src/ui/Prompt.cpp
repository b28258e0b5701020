#include "ui/Prompt.h"

#include "ui/Look.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QQueue>

namespace {

struct State
{
    QQueue<Prompt::Answer> answers;
    QList<Prompt::Question> questions;
    bool interactive = true;
};

State &state()
{
    static State s;
    return s;
}

// The program's own name, as the suite's boxes are captioned.
QString boxTitle()
{
    return QApplication::applicationName();
}

// The suite's messages break lines with a bare carriage return.
QString shownText(const QString &text)
{
    QString shown = text;
    return shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
}

void showBox(QWidget *parent, QMessageBox::Icon icon, const QString &text)
{
    QMessageBox box(icon, boxTitle(), shownText(text), QMessageBox::Ok, parent);
    box.setFont(suiteFont());
    box.exec();
}

} // namespace

bool Prompt::scripted(Kind kind, const QString &title, const QString &text, const QString &value, Answer *answer)
{
    State &s = state();
    if (s.interactive && s.answers.isEmpty())
        return false;
    s.questions.append(Question{kind, title, text, value});
    if (s.answers.isEmpty()) {
        qWarning("Prompt: unanswered question \"%s\", taken as No/Cancel", qPrintable(text));
        *answer = Answer::cancel();
    } else {
        *answer = s.answers.dequeue();
    }
    return true;
}

bool Prompt::confirm(QWidget *parent, const QString &text)
{
    Answer a;
    if (scripted(Kind::Confirm, boxTitle(), text, {}, &a))
        return a.accept;
    QMessageBox box(QMessageBox::Question, boxTitle(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setFont(suiteFont());
    return box.exec() == QMessageBox::Yes;
}

bool Prompt::recordedOnly(const QString &text)
{
    // A message has only OK: it is recorded, and takes no scripted answer away
    // from the questions after it.
    State &s = state();
    if (s.interactive && s.answers.isEmpty())
        return false;
    s.questions.append(Question{Kind::Message, boxTitle(), text, {}});
    return true;
}

void Prompt::message(QWidget *parent, const QString &text)
{
    if (!recordedOnly(text))
        showBox(parent, QMessageBox::Information, text);
}

void Prompt::error(QWidget *parent, const QString &text)
{
    if (!recordedOnly(text))
        showBox(parent, QMessageBox::Critical, text);
}

bool Prompt::input(QWidget *parent, const QString &caption, const QString &prompt, QString &value, int maxLength)
{
    QInputDialog dlg(parent);
    dlg.setFont(suiteFont());
    dlg.setInputMode(QInputDialog::TextInput);
    dlg.setWindowTitle(caption);
    dlg.setLabelText(prompt);
    if (auto *edit = dlg.findChild<QLineEdit *>()) {
        edit->setMaxLength(maxLength);
        // Wide enough for an access reference, host and path included.
        edit->setMinimumWidth(qMax(380, edit->fontMetrics().averageCharWidth() * 60));
    }
    dlg.setTextValue(value);

    Answer a;
    if (scripted(Kind::Input, caption, prompt, dlg.textValue(), &a)) {
        if (!a.accept)
            return false;
        if (!a.text.isNull()) // OK alone keeps the proposal
            dlg.setTextValue(a.text); // the edit's length limit applies to a scripted answer too
        value = dlg.textValue();
        return true;
    }
    if (dlg.exec() != QDialog::Accepted)
        return false;
    value = dlg.textValue();
    return true;
}

bool Prompt::openFile(QFileDialog &dialog, QString &path)
{
    Answer a;
    if (scripted(Kind::OpenFile, dialog.windowTitle(), dialog.directory().absolutePath(),
                 dialog.property(ProposedFileProperty).toString(), &a)) {
        if (!a.accept)
            return false;
        path = a.text;
        return true;
    }
    const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    // The name box's completion list is a window of its own: it would stay on the
    // screen, or open late when the directory has been read, and take the next click.
    for (QCompleter *completer : dialog.findChildren<QCompleter *>()) {
        completer->setCompletionPrefix(QString());
        completer->popup()->hide();
    }
    if (!accepted)
        return false;
    path = dialog.selectedFiles().first();
    return true;
}

bool Prompt::exec(QDialog &dialog)
{
    Answer a;
    if (scripted(Kind::Dialog, dialog.windowTitle(), {}, {}, &a)) {
        if (a.fill)
            a.fill(dialog);
        return a.accept;
    }
    return dialog.exec() == QDialog::Accepted;
}

void Prompt::setNextAnswer(const Answer &answer)
{
    state().answers.enqueue(answer);
}

void Prompt::setInteractive(bool interactive)
{
    state().interactive = interactive;
}

QList<Prompt::Question> Prompt::takeQuestions()
{
    QList<Question> out;
    out.swap(state().questions);
    return out;
}

void Prompt::reset()
{
    state().answers.clear();
    state().questions.clear();
}

int Prompt::pendingAnswers()
{
    return int(state().answers.size());
}
