#include "PrompterPreferencesStore.h"

#include <QSettings>
#include <QVariant>

namespace lumetra::PrompterPreferencesStore {

QString storageKey()
{
    return QStringLiteral("Lumetra.preferences.v1");
}

PrompterPreferences load()
{
    const QVariant stored = QSettings().value(storageKey());
    // Only raw bytes count as an entry; a text value under the key is treated as none.
    if (stored.typeId() != QMetaType::QByteArray)
        return {};
    return PrompterPreferences::fromJson(stored.toByteArray()).value_or(PrompterPreferences {});
}

void save(const PrompterPreferences &preferences)
{
    const QByteArray json = preferences.toJson();
    if (json.isEmpty())
        return;
    QSettings().setValue(storageKey(), json);
}

} // namespace lumetra::PrompterPreferencesStore
