#include "ModelTestSupport.h"

#include <QSettings>

namespace lumetra::testing {

namespace {

const QString preferencesKey = QStringLiteral("Lumetra.preferences.v1");

// The application's own settings store, which the test main has moved into a temporary folder.
QSettings store()
{
    return QSettings();
}

} // namespace

PrompterViewModel::Clock::time_point frameTime(double seconds)
{
    // Far from the clock's origin, so that "earlier" time stamps are representable too.
    const auto origin = PrompterViewModel::Clock::time_point(std::chrono::hours(1000));
    return origin
        + std::chrono::duration_cast<PrompterViewModel::Clock::duration>(std::chrono::duration<double>(seconds));
}

QString scriptWithChunks(int chunks)
{
    QString text = QStringLiteral("# 第一節\n");
    for (int k = 1; k <= chunks; ++k)
        text += QStringLiteral("\n第%1句。\n").arg(k);
    return text;
}

void clearStoredSettings()
{
    QSettings settings = store();
    settings.clear();
    settings.sync();
}

QByteArray storedPreferencesEntry()
{
    return store().value(preferencesKey).toByteArray();
}

void setStoredPreferencesEntry(const QVariant &value)
{
    QSettings settings = store();
    settings.setValue(preferencesKey, value);
    settings.sync();
}

} // namespace lumetra::testing
