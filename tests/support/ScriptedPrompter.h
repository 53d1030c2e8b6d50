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
