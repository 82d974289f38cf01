#pragma once

#include <QString>
#include <QStringList>

namespace store {

enum class Answer { Yes, No, Cancel, Ok, YesToAll };

// How logic asks the user something or tells them something. Screens pass a
// message-box prompter, tests a scripted one, the command line one that
// answers from its flags. Messages are the system's own Japanese texts.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void information(const QString& text) = 0;
    virtual void warning(const QString& text) = 0;
    // Warning box with Yes and No.
    virtual bool yesNo(const QString& text) = 0;
    // Information box with Yes and No.
    virtual bool confirm(const QString& text) = 0;
    virtual Answer yesNoCancel(const QString& text) = 0;
    virtual bool okCancel(const QString& text) = 0;
    // Warning box with Yes, Yes to all, No and Cancel (the question before
    // replacing one of many files). Without a box of its own a prompter
    // asks Yes, No and Cancel.
    virtual Answer yesToAllNoCancel(const QString& text) { return yesNoCancel(text); }
};

// Answers every question with the answers it was given (in order, the last
// one repeating) and keeps every message it was shown.
class ScriptedPrompter : public Prompter {
public:
    explicit ScriptedPrompter(QList<Answer> answers = {Answer::Yes}) : m_answers(answers) {}

    void information(const QString& text) override { m_shown << text; }
    void warning(const QString& text) override { m_shown << text; }
    bool yesNo(const QString& text) override { return ask(text) == Answer::Yes; }
    bool confirm(const QString& text) override { return ask(text) == Answer::Yes; }
    Answer yesNoCancel(const QString& text) override { return ask(text); }
    Answer yesToAllNoCancel(const QString& text) override { return ask(text); }
    bool okCancel(const QString& text) override
    {
        Answer a = ask(text);
        return a == Answer::Ok || a == Answer::Yes;
    }

    const QStringList& shown() const { return m_shown; }

private:
    Answer ask(const QString& text)
    {
        m_shown << text;
        if (m_answers.isEmpty())
            return Answer::No;
        return m_answers.size() > 1 ? m_answers.takeFirst() : m_answers.first();
    }

    QList<Answer> m_answers;
    QStringList m_shown;
};

} // namespace store
