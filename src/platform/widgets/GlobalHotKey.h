#pragma once

#include <QKeySequence>
#include <QObject>
#include <QString>

class QShortcut;
class QWidget;

namespace ly::platform {

// A hot key of the whole program, named like a global atom: while it lives, the key fires
// activated() whichever of the program's windows has the focus. A name holds one hot key at
// a time; a second one under a name in use stays inactive, as registering it again fails.
class GlobalHotKey : public QObject
{
    Q_OBJECT
public:
    GlobalHotKey(const QString &name, const QKeySequence &key, QWidget *owner);
    ~GlobalHotKey() override;

    bool isActive() const { return m_shortcut != nullptr; }
    static bool isRegistered(const QString &name);

Q_SIGNALS:
    void activated();

private:
    QString m_name;
    QShortcut *m_shortcut = nullptr;
};

} // namespace ly::platform
