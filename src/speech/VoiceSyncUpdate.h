#pragma once

#include <QMetaType>
#include <QString>

#include <cstdint>
#include <optional>

namespace lumetra {

// One transcript from the recogniser: everything heard since the current recognition run began.
struct VoiceSyncUpdate {
    QString transcript;
    // 1.0 for a final result, 0.65 for a partial one, 0 for the restart-failure message.
    double confidence = 0;
    // Always empty from the offline engine.
    std::optional<std::int64_t> suggestedParagraphID;

    bool operator==(const VoiceSyncUpdate &) const = default;

    static constexpr double partialConfidence = 0.65;
    static constexpr double finalConfidence = 1.0;
};

} // namespace lumetra

Q_DECLARE_METATYPE(lumetra::VoiceSyncUpdate)
