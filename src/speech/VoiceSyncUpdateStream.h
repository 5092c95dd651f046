#pragma once

#include "VoiceSyncUpdate.h"

#include <QObject>

namespace lumetra {

// The stream of updates handed out by VoiceSyncEngine::updates(): one signal per update, in the
// order they were yielded, on the main thread. It is never finished; the consumer disconnects.
class VoiceSyncUpdateStream : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void yield(const lumetra::VoiceSyncUpdate &update) { emit updateReceived(update); }

signals:
    void updateReceived(const lumetra::VoiceSyncUpdate &update);
};

} // namespace lumetra
