#pragma once

#include "ui/Prompter.h"

#include <QList>
#include <QStringList>

// A Prompter for tests: records every box and dialog and answers from queues,
// so no test ever blocks on a modal window. Installs itself for its lifetime.
class ScriptedPrompter : public Prompter
{
public:
    struct Box {
        QMessageBox::Icon icon;
        QString title;
        QString text;
    };

    ScriptedPrompter() { Prompter::setInstance(this); }
    ~ScriptedPrompter() override { Prompter::setInstance(nullptr); }

    QList<Box> boxes;                  // every box shown, in order
    QStringList saveAnswers;           // next answers of saveFileName ("" = cancel)
    QStringList openAnswers;           // next answers of openFileName ("" = cancel)
    QList<QMessageBox::StandardButton> buttonAnswers; // next answers of message()

    struct Question {
        QString title;
        QString text;
        QStringList labels;
    };
    QList<Question> questions;                        // every ask(), in order
    QList<QMessageBox::StandardButton> choiceAnswers; // next answers of ask()
    int saveDialogs = 0;
    QString lastSaveFilter;            // the filter the last save dialog offered
    int openDialogs = 0;

    QMessageBox::StandardButton message(QMessageBox::Icon icon, QWidget *, const QString &title,
                                        const QString &text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton) override
    {
        boxes.append({icon, title, text});
        if (!buttonAnswers.isEmpty())
            return buttonAnswers.takeFirst();
        return buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::NoButton;
    }
    // Unscripted, a question is answered the way the editor went on before it
    // asked anything: Discard (the edits) or Yes (load what replaces them).
    QMessageBox::StandardButton ask(QWidget *, const QString &title, const QString &text,
                                    const QList<Choice> &choices) override
    {
        QStringList labels;
        for (const Choice &c : choices)
            labels << c.label;
        questions.append({title, text, labels});
        if (!choiceAnswers.isEmpty())
            return choiceAnswers.takeFirst();
        for (const Choice &c : choices) {
            if (c.button == QMessageBox::Discard || c.button == QMessageBox::Yes)
                return c.button;
        }
        return choices.isEmpty() ? QMessageBox::NoButton : choices.last().button;
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &filter) override
    {
        ++saveDialogs;
        lastSaveFilter = filter;
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        ++openDialogs;
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
};
