#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVector>

class DataManagement;

// Undo and redo over the store's whole parameter block.
//
// Every change the store reports becomes one step holding a copy of the block
// as it was before (245 bytes, so the last MaxSteps steps are kept). The
// changes one user action makes within one pass of the event loop (a selector
// that writes two fields) are one step; the step is recorded at the end of
// that pass (or at once by flush(), undo() and redo()). A step's name is the source text of what it was
// ("Auto Populate"); the interface translates it in context "EditHistory".
//
// Undo and redo put the block back through setBlockData(), so every page
// reloads as after any other whole-block change.
class EditHistory : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool canUndo READ canUndo NOTIFY changed)
    Q_PROPERTY(bool canRedo READ canRedo NOTIFY changed)
    Q_PROPERTY(QString undoName READ undoName NOTIFY changed)
    Q_PROPERTY(QString redoName READ redoName NOTIFY changed)

public:
    static constexpr int MaxSteps = 1000;

    explicit EditHistory(DataManagement *store, QObject *parent = nullptr);

    bool canUndo() const;
    bool canRedo() const;
    // Name of the step undo() / redo() would take back or repeat; empty when none.
    QString undoName() const;
    QString redoName() const;
    int undoCount() const;

    // Names the next whole-block change (setBlockData) of the store; without
    // it such a change is called "Change".
    void nameNextBlockChange(const QString &name);

    // Forgets every step; the block as it is now is where undo stops.
    void clear();

public slots:
    void undo();
    void redo();
    // Records a change still waiting for the end of its event-loop pass.
    void flush();

signals:
    void changed();

private slots:
    void onStoreChanged(int kind, int index);

private:
    struct Step
    {
        QString name;
        QByteArray block;
    };
    QByteArray currentBlock() const;
    void apply(const QByteArray &block);

    DataManagement *m_store;
    QVector<Step> m_undo;
    QVector<Step> m_redo;
    QByteArray m_current;      // the block after the latest recorded step
    QString m_pendingName;     // name of the change waiting for flush()
    int m_pendingKind = -1;
    bool m_pending = false;
    QString m_nextBlockName;
    bool m_applying = false;
};
