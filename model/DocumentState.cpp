#include "model/DocumentState.h"

#include "model/DataManagement.h"

#include <QFileInfo>

DocumentState::DocumentState(DataManagement *store, QObject *parent)
    : QObject(parent), m_store(store), m_saved(parameters())
{
    connect(store, &DataManagement::s_changed, this, &DocumentState::update);
}

QByteArray DocumentState::parameters() const
{
    return QByteArray(m_store->blockData() + DataManagement::PadOffset,
                      DataManagement::EndOffset - DataManagement::PadOffset);
}

QString DocumentState::fileName() const
{
    return m_filePath.isEmpty() ? QString() : QFileInfo(m_filePath).fileName();
}

void DocumentState::markSaved(const QString &path)
{
    m_filePath = path;
    m_saved = parameters();
    m_modified = true; // forces the signal
    update();
    emit changed();
}

void DocumentState::markKeyboard()
{
    m_keyboard = parameters();
    m_inSync = false; // forces the signal
    update();
}

void DocumentState::markClean()
{
    m_saved = parameters();
    update();
}

void DocumentState::update()
{
    const QByteArray now = parameters();
    const bool modified = now != m_saved;
    const bool inSync = !m_keyboard.isEmpty() && now == m_keyboard;
    if (modified == m_modified && inSync == m_inSync)
        return;
    m_modified = modified;
    m_inSync = inSync;
    emit changed();
}
