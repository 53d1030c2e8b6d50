#include "model/EditHistory.h"

#include "model/DataManagement.h"

#include <QTimer>

namespace {

const char *stepName(int kind)
{
    switch (kind) {
    case DataManagement::FieldChange:
        return QT_TRANSLATE_NOOP("EditHistory", "Edit");
    case DataManagement::ColorChange:
        return QT_TRANSLATE_NOOP("EditHistory", "Pad Color");
    case DataManagement::BatchChange:
        return QT_TRANSLATE_NOOP("EditHistory", "Auto Populate");
    case DataManagement::DefaultsChange:
        return QT_TRANSLATE_NOOP("EditHistory", "Restore The Default");
    default:
        return QT_TRANSLATE_NOOP("EditHistory", "Change");
    }
}

} // namespace

EditHistory::EditHistory(DataManagement *store, QObject *parent)
    : QObject(parent), m_store(store)
{
    m_current = currentBlock();
    connect(store, &DataManagement::s_changed, this, &EditHistory::onStoreChanged);
}

QByteArray EditHistory::currentBlock() const
{
    return QByteArray(m_store->blockData(), DataManagement::BlockSize);
}

void EditHistory::nameNextBlockChange(const QString &name)
{
    m_nextBlockName = name;
}

void EditHistory::onStoreChanged(int kind, int index)
{
    Q_UNUSED(index)
    if (m_applying)
        return;
    QString name;
    if (kind == DataManagement::BlockChange && !m_nextBlockName.isEmpty())
        name = m_nextBlockName;
    else
        name = QString::fromLatin1(stepName(kind));
    m_nextBlockName.clear();

    // A whole-block change stands alone: it is what the user asked for, not
    // part of a gesture.
    if (m_pending && (kind == DataManagement::BlockChange || m_pendingKind == DataManagement::BlockChange))
        flush();
    if (!m_pending) {
        m_pending = true;
        m_pendingName = name;
        m_pendingKind = kind;
        QTimer::singleShot(0, this, &EditHistory::flush);
    } else if (kind != DataManagement::FieldChange && m_pendingKind == DataManagement::FieldChange) {
        // A field write followed by a larger change in the same pass: name
        // the step after the larger one.
        m_pendingName = name;
        m_pendingKind = kind;
    }
}

void EditHistory::flush()
{
    if (!m_pending)
        return;
    m_pending = false;
    const QByteArray now = currentBlock();
    if (now == m_current)
        return; // written the value it already had
    m_undo.append({m_pendingName, m_current});
    if (m_undo.size() > MaxSteps)
        m_undo.remove(0, m_undo.size() - MaxSteps);
    m_redo.clear();
    m_current = now;
    emit changed();
}

void EditHistory::apply(const QByteArray &block)
{
    m_applying = true;
    m_store->setBlockData(block.constData(), block.size());
    m_applying = false;
    m_current = block;
}

void EditHistory::undo()
{
    flush();
    if (m_undo.isEmpty())
        return;
    Step step = m_undo.takeLast();
    m_redo.append({step.name, m_current});
    apply(step.block);
    emit changed();
}

void EditHistory::redo()
{
    flush();
    if (m_redo.isEmpty())
        return;
    Step step = m_redo.takeLast();
    m_undo.append({step.name, m_current});
    apply(step.block);
    emit changed();
}

void EditHistory::clear()
{
    flush();
    m_undo.clear();
    m_redo.clear();
    m_current = currentBlock();
    emit changed();
}

bool EditHistory::canUndo() const
{
    return !m_undo.isEmpty();
}

bool EditHistory::canRedo() const
{
    return !m_redo.isEmpty();
}

QString EditHistory::undoName() const
{
    return m_undo.isEmpty() ? QString() : m_undo.last().name;
}

QString EditHistory::redoName() const
{
    return m_redo.isEmpty() ? QString() : m_redo.last().name;
}

int EditHistory::undoCount() const
{
    return m_undo.size();
}
