#include "ui/Prompter.h"

#include <QAbstractButton>
#include <QMap>
#include <QPushButton>
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
    // Buttons of the editor's own, not standard ones with new texts: a
    // standard button takes back its stock text whenever the language changes.
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    QMap<QAbstractButton *, QMessageBox::StandardButton> answers;
    for (const Choice &choice : choices) {
        QMessageBox::ButtonRole role = QMessageBox::ActionRole;
        switch (choice.button) {
        case QMessageBox::Save: role = QMessageBox::AcceptRole; break;
        case QMessageBox::Discard: role = QMessageBox::DestructiveRole; break;
        case QMessageBox::Cancel: role = QMessageBox::RejectRole; break;
        case QMessageBox::Yes: role = QMessageBox::YesRole; break;
        case QMessageBox::No: role = QMessageBox::NoRole; break;
        default: break;
        }
        answers.insert(box.addButton(choice.label, role), choice.button);
    }
    if (!choices.isEmpty()) {
        box.setDefaultButton(qobject_cast<QPushButton *>(answers.key(choices.first().button)));
        box.setEscapeButton(answers.key(choices.last().button));
    }
    box.exec();
    // Closed some other way: the last choice, the one that changes nothing.
    return answers.value(box.clickedButton(),
                         choices.isEmpty() ? QMessageBox::NoButton : choices.last().button);
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
