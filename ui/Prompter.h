#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

class QWidget;

// Every modal box and file dialog of the back end goes through one Prompter.
// The default one shows the real Qt dialogs; tests install a scripted one so
// that nothing modal ever waits for a person.
class Prompter
{
public:
    virtual ~Prompter() = default;

    // Same meaning as the static QMessageBox functions of the given icon.
    virtual QMessageBox::StandardButton message(QMessageBox::Icon icon, QWidget *parent,
                                                const QString &title, const QString &text,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton) = 0;
    // Same meaning as QFileDialog::getSaveFileName / getOpenFileName; an empty
    // result means the person cancelled.
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter) = 0;

    // A question whose buttons carry the editor's own labels. Each choice
    // names the standard button it stands for (its role in the box) and its
    // label; the answer is the chosen one's standard button (the last
    // choice, normally the one that changes nothing, when the box is closed
    // otherwise). The default form asks through message() with the plain
    // standard buttons.
    struct Choice {
        QMessageBox::StandardButton button;
        QString label;
    };
    virtual QMessageBox::StandardButton ask(QWidget *parent, const QString &title,
                                            const QString &text, const QList<Choice> &choices);

    // Shorthands with a single OK button, the form every box of the editor uses.
    static void information(QWidget *parent, const QString &title, const QString &text);
    static void warning(QWidget *parent, const QString &title, const QString &text);

    // The process-wide prompter. Never null: the dialog-showing one unless a
    // test installed another. setInstance(nullptr) restores the default.
    static Prompter *instance();
    static void setInstance(Prompter *prompter);
};

// Shows the real dialogs.
class DialogPrompter : public Prompter
{
public:
    QMessageBox::StandardButton ask(QWidget *parent, const QString &title, const QString &text,
                                    const QList<Choice> &choices) override;
    QMessageBox::StandardButton message(QMessageBox::Icon icon, QWidget *parent,
                                        const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
};
