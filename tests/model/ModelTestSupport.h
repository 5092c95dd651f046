#pragma once

#include "IdleRecordingEngine.h"
#include "PrompterViewModel.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <cstdint>

namespace lumetra::testing {

// A frame time `seconds` after an arbitrary origin of the monotonic clock.
PrompterViewModel::Clock::time_point frameTime(double seconds);

// One section "第一節" with `chunks` one-sentence paragraphs "第1句。", "第2句。", ….
QString scriptWithChunks(int chunks);

// Removes everything the settings store holds, so each test starts from a first start.
void clearStoredSettings();
// The raw value stored under the preferences key (empty when there is none).
QByteArray storedPreferencesEntry();
void setStoredPreferencesEntry(const QVariant &value);

} // namespace lumetra::testing
