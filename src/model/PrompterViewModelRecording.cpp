#include "PrompterViewModel.h"

#include <QPointer>
#include <QTimer>

namespace lumetra {

void PrompterViewModel::toggleRecording()
{
    // Runs on the engine's own turn, so a button or menu command returns at once.
    QPointer<RecordingEngine> engine(m_recordingEngine.get());
    QTimer::singleShot(0, engine, [engine] {
        if (!engine)
            return;
        if (engine->isRecording())
            engine->stopRecording();
        else
            engine->startRecording();
    });
}

} // namespace lumetra
