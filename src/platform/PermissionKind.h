#pragma once

#include <QString>

namespace lumetra {

// The three privacy permissions the program keeps.
enum class PermissionKind { microphone, camera, speech };

// The four meanings every caller relies on.
enum class PermissionStatus { notDetermined, restricted, denied, authorized };

// "microphone", "camera", "speech": the name in the settings key.
QString permissionKeyName(PermissionKind kind);

// The anchor that opens the privacy dialog at this permission: "Privacy_Microphone",
// "Privacy_Camera", "Privacy_SpeechRecognition".
QString privacyAnchor(PermissionKind kind);

} // namespace lumetra
