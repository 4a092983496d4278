#include "platform/widgets/GlobalHotKey.h"

#include <QSet>
#include <QShortcut>
#include <QWidget>

namespace ly::platform {

namespace {

QSet<QString> &registeredNames()
{
    static QSet<QString> names;
    return names;
}

} // namespace

GlobalHotKey::GlobalHotKey(const QString &name, const QKeySequence &key, QWidget *owner)
    : QObject(owner), m_name(name)
{
    if (registeredNames().contains(name))
        return;
    registeredNames().insert(name);
    m_shortcut = new QShortcut(key, owner);
    m_shortcut->setContext(Qt::ApplicationShortcut);
    connect(m_shortcut, &QShortcut::activated, this, &GlobalHotKey::activated);
}

GlobalHotKey::~GlobalHotKey()
{
    if (m_shortcut) {
        delete m_shortcut;
        registeredNames().remove(m_name);
    }
}

bool GlobalHotKey::isRegistered(const QString &name)
{
    return registeredNames().contains(name);
}

} // namespace ly::platform
