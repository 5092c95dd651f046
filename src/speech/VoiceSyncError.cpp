#include "VoiceSyncError.h"

namespace lumetra {

QString VoiceSyncError::description() const
{
    switch (m_case) {
    case Case::speechPermissionDenied:
        return QStringLiteral("語音辨識權限未開啟");
    case Case::microphonePermissionDenied:
        return QStringLiteral("麥克風權限未開啟");
    case Case::recognizerUnavailable:
        return QStringLiteral("中文語音辨識器目前不可用");
    case Case::audioInputUnavailable:
        return QStringLiteral("找不到可用的麥克風輸入");
    case Case::platform:
        break;
    }
    return m_platformDescription;
}

bool VoiceSyncError::operator==(const VoiceSyncError &other) const
{
    if (m_case != other.m_case)
        return false;
    return m_case != Case::platform || m_platformDescription == other.m_platformDescription;
}

} // namespace lumetra
