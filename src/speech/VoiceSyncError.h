#pragma once

#include <QHashFunctions>
#include <QString>

namespace lumetra {

// Why Voice Sync could not start or restart. The four known cases compare by case alone; an error
// of the audio system passes through with its own description.
class VoiceSyncError {
public:
    enum class Case {
        speechPermissionDenied,
        microphonePermissionDenied,
        recognizerUnavailable,
        audioInputUnavailable,
        platform
    };

    static VoiceSyncError speechPermissionDenied() { return VoiceSyncError(Case::speechPermissionDenied); }
    static VoiceSyncError microphonePermissionDenied() { return VoiceSyncError(Case::microphonePermissionDenied); }
    static VoiceSyncError recognizerUnavailable() { return VoiceSyncError(Case::recognizerUnavailable); }
    static VoiceSyncError audioInputUnavailable() { return VoiceSyncError(Case::audioInputUnavailable); }
    static VoiceSyncError platform(const QString &description) { return VoiceSyncError(Case::platform, description); }

    Case errorCase() const { return m_case; }
    // The user-facing text, shown verbatim as the Voice Sync status.
    QString description() const;

    bool operator==(const VoiceSyncError &other) const;

private:
    explicit VoiceSyncError(Case errorCase, QString platformDescription = {})
        : m_case(errorCase)
        , m_platformDescription(std::move(platformDescription))
    {
    }

    Case m_case;
    QString m_platformDescription;
};

// Hashed by case alone, consistent with ==.
inline size_t qHash(const VoiceSyncError &error, size_t seed = 0)
{
    return ::qHash(int(error.errorCase()), seed);
}

} // namespace lumetra
