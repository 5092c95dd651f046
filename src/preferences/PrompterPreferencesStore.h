#pragma once

#include "PrompterPreferences.h"

#include <QString>

namespace lumetra::PrompterPreferencesStore {

// The settings key of the record: "Lumetra.preferences.v1".
QString storageKey();

// The stored record; the default record when there is no entry, the entry is not raw bytes,
// or its JSON cannot be decoded in full. Never fails and reports nothing.
PrompterPreferences load();

// Replaces the stored record with this one, as raw JSON bytes. A record that cannot be
// written as JSON (a non-finite number) leaves the previous entry in place.
void save(const PrompterPreferences &preferences);

} // namespace lumetra::PrompterPreferencesStore
