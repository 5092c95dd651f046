#pragma once

#include "SpeechRecognizer.h"

#include <atomic>
#include <memory>
#include <vector>

namespace lumetra::testing {

// A recogniser whose results the test delivers by hand through the handler of each run.
class FakeSpeechRecognizer final : public SpeechRecognizer {
public:
    struct Run final : RecognitionRun {
        void append(std::span<const std::int16_t> frames) override { *framesReceived += std::int64_t(frames.size()); }
        void endAudio() override { audioEnded = true; }
        void cancel() override { cancelled = true; }

        std::shared_ptr<std::atomic<std::int64_t>> framesReceived = std::make_shared<std::atomic<std::int64_t>>(0);
        std::atomic<bool> audioEnded = false;
        std::atomic<bool> cancelled = false;
    };

    struct Started {
        QString scriptText;
        ResultHandler handler;
        std::weak_ptr<Run> run;
        std::shared_ptr<std::atomic<std::int64_t>> framesReceived;
    };

    QString languageTag() const override { return QStringLiteral("en-US"); }
    bool isAvailable(const QString &) override { return available; }
    std::shared_ptr<RecognitionRun> startRun(const QString &scriptText, ResultHandler handler) override
    {
        auto run = std::make_shared<Run>();
        runs.push_back({ scriptText, std::move(handler), run, run->framesReceived });
        return run;
    }

    bool available = true;
    std::vector<Started> runs;
};

} // namespace lumetra::testing
