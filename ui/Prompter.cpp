#include "ui/Prompter.h"

#include <QAbstractButton>
#include <QFileDialog>

namespace {
Prompter *g_installed = nullptr;
}

void Prompter::information(QWidget *parent, const QString &title, const QString &text)
{
    instance()->message(QMessageBox::Information, parent, title, text, QMessageBox::Ok,
                        QMessageBox::NoButton);
}

void Prompter::warning(QWidget *parent, const QString &title, const QString &text)
{
    instance()->message(QMessageBox::Warning, parent, title, text, QMessageBox::Ok,
                        QMessageBox::NoButton);
}

QMessageBox::StandardButton Prompter::ask(QWidget *parent, const QString &title,
                                          const QString &text, const QList<Choice> &choices)
{
    QMessageBox::StandardButtons buttons;
    for (const Choice &choice : choices)
        buttons |= choice.button;
    const QMessageBox::StandardButton first =
        choices.isEmpty() ? QMessageBox::NoButton : choices.first().button;
    return message(QMessageBox::Question, parent, title, text, buttons, first);
}

QMessageBox::StandardButton DialogPrompter::ask(QWidget *parent, const QString &title,
                                                const QString &text, const QList<Choice> &choices)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    for (const Choice &choice : choices) {
        box.addButton(choice.button);
        if (QAbstractButton *button = box.button(choice.button))
            button->setText(choice.label);
    }
    if (!choices.isEmpty()) {
        box.setDefaultButton(choices.first().button);
        box.setEscapeButton(box.button(choices.last().button));
    }
    box.exec();
    const auto answer = QMessageBox::StandardButton(box.standardButton(box.clickedButton()));
    if (answer == QMessageBox::NoButton && !choices.isEmpty())
        return choices.last().button;
    return answer;
}

Prompter *Prompter::instance()
{
    static DialogPrompter dialogs;
    return g_installed ? g_installed : &dialogs;
}

void Prompter::setInstance(Prompter *prompter)
{
    g_installed = prompter;
}

QMessageBox::StandardButton DialogPrompter::message(QMessageBox::Icon icon, QWidget *parent,
                                                    const QString &title, const QString &text,
                                                    QMessageBox::StandardButtons buttons,
                                                    QMessageBox::StandardButton defaultButton)
{
    switch (icon) {
    case QMessageBox::Warning:
        return QMessageBox::warning(parent, title, text, buttons, defaultButton);
    case QMessageBox::Critical:
        return QMessageBox::critical(parent, title, text, buttons, defaultButton);
    case QMessageBox::Question:
        return QMessageBox::question(parent, title, text, buttons, defaultButton);
    default:
        return QMessageBox::information(parent, title, text, buttons, defaultButton);
    }
}

QString DialogPrompter::saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                     const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString DialogPrompter::openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                     const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}
