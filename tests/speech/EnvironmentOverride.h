#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace lumetra::testing {

// Sets an environment variable for the lifetime of the object, then restores it.
class EnvironmentOverride {
public:
    EnvironmentOverride(const char *name, const QByteArray &value)
        : m_name(name)
        , m_old(qgetenv(name))
        , m_hadOld(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value);
    }
    ~EnvironmentOverride()
    {
        if (m_hadOld)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    EnvironmentOverride(const EnvironmentOverride &) = delete;
    EnvironmentOverride &operator=(const EnvironmentOverride &) = delete;

private:
    const char *m_name;
    QByteArray m_old;
    bool m_hadOld;
};

} // namespace lumetra::testing
