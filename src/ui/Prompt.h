#pragma once

#include <QList>
#include <QString>

#include <functional>

class QDialog;
class QFileDialog;
class QWidget;

// The one place where the editor asks the user anything: questions, messages,
// input boxes, the file dialog and its own modal dialogs. A test answers the next
// question with setNextAnswer() instead of a modal loop, and reads back what was
// asked with takeQuestions().
class Prompt
{
public:
    enum class Kind { Confirm, Message, Input, OpenFile, Dialog };

    struct Question
    {
        Kind kind;
        QString title;
        QString text;  // the message, the prompt, or the file dialog's directory
        QString value; // the pre-filled value, or the file dialog's file name
    };

    struct Answer
    {
        bool accept = false;                  // Yes / OK
        QString text;                         // typed text, or the chosen file
        std::function<void(QDialog &)> fill;  // sets up one of our dialogs before it "closes"

        static Answer yes() { return {true, {}, {}}; }
        static Answer no() { return {false, {}, {}}; }
        static Answer ok() { return {true, {}, {}}; }
        static Answer cancel() { return {false, {}, {}}; }
        static Answer typed(const QString &t) { return {true, t.isNull() ? QLatin1String("") : t, {}}; }
        static Answer file(const QString &path) { return {true, path, {}}; }
        static Answer dialog(std::function<void(QDialog &)> f, bool accept = true) { return {accept, {}, std::move(f)}; }
    };

    // Yes/No confirmation with a question icon; true for Yes.
    static bool confirm(QWidget *parent, const QString &text);
    // Information box with one OK button.
    static void message(QWidget *parent, const QString &text);
    // The same with the error icon; a test reads it back as a message.
    static void error(QWidget *parent, const QString &text);
    // One-line input box; value holds the proposal and, on OK, the typed text.
    static bool input(QWidget *parent, const QString &caption, const QString &prompt, QString &value,
                      int maxLength = 255);
    // The file dialog's proposed file name, kept on the dialog from one use to
    // the next; a test reads it back as the question's value.
    static constexpr const char *ProposedFileProperty = "proposedFile";
    // Shows the file-open dialog; on OK path holds the chosen file.
    static bool openFile(QFileDialog &dialog, QString &path);
    // Runs one of the editor's own modal dialogs; true when it ended with OK.
    static bool exec(QDialog &dialog);

    // For tests: answer the next question(s) in order, without a modal loop.
    static void setNextAnswer(const Answer &answer);
    // For tests: when off, a question nobody answered is taken as No/Cancel
    // instead of opening a window that no one can close.
    static void setInteractive(bool interactive);
    static QList<Question> takeQuestions();
    static int pendingAnswers();
    // Forgets unused answers and recorded questions.
    static void reset();

private:
    static bool recordedOnly(const QString &text);
    static bool scripted(Kind kind, const QString &title, const QString &text, const QString &value,
                         Answer *answer);
};
