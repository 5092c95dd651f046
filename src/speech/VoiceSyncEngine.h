#pragma once

#include "VoiceSyncError.h"
#include "VoiceSyncUpdateStream.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace lumetra {

// A speech-following engine: turns the presenter's voice into a stream of transcript updates.
// All members are called on the main thread.
class VoiceSyncEngine : public QObject {
    Q_OBJECT
public:
    using StartCompletion = std::function<void(std::optional<VoiceSyncError> error)>;

    using QObject::QObject;

    // A human-readable label; the status line shows it followed by " 監聽中".
    virtual QString name() const = 0;

    // Obtains permissions and begins listening. `completion` runs once, on the main thread and
    // never inside start(), with the error if the engine could not start. A start overtaken by
    // stop() completes without error and leaves nothing listening.
    virtual void start(StartCompletion completion) = 0;

    // Stops listening and does not restart. Harmless when nothing runs.
    virtual void stop() = 0;

    // A new stream replacing the previous one (which receives nothing more). Call before start()
    // so nothing from the first recognition run is lost. The engine owns the stream.
    virtual VoiceSyncUpdateStream *updates() = 0;

    // The script the presenter reads. Recognisers that can use it decode against its words; the
    // newest text is taken at the start of every recognition run.
    virtual void setScriptText(const QString &text) = 0;
};

} // namespace lumetra
