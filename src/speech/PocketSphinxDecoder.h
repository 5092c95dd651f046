#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <span>

struct ps_decoder_s;
struct cmd_ln_s;

namespace lumetra {

// The files one decoder is made from.
struct DecoderFiles {
    QString acousticModel;
    QString dictionary;
    QString languageModel;
    // Mixed in with `generalWeight` when set. The engine decodes script-only: on synthetic speech
    // mixing in even 5% of the general model raised word errors and start-up time several-fold
    // (bench/speech); the option stays so that comparison can be repeated.
    QString generalLanguageModel;
    double generalWeight = 0;
};

// One PocketSphinx decoder for live 16 kHz audio. Used on one thread at a time.
class PocketSphinxDecoder {
public:
    // Nothing when the decoder cannot be made from these files. A corrupt acoustic model can end
    // the process inside the library, so check untrusted models with loadsInSeparateProcess() first.
    static std::unique_ptr<PocketSphinxDecoder> create(const DecoderFiles &files);
    // Whether create() succeeds, tried in a child process that is killed after `timeoutMs`.
    static bool loadsInSeparateProcess(const DecoderFiles &files, int timeoutMs);

    ~PocketSphinxDecoder();
    PocketSphinxDecoder(const PocketSphinxDecoder &) = delete;
    PocketSphinxDecoder &operator=(const PocketSphinxDecoder &) = delete;

    bool startUtterance();
    void process(std::span<const std::int16_t> frames);
    // Whether the voice-activity detector currently hears speech.
    bool inSpeech() const;
    // The best hypothesis of the current utterance so far ("" when none).
    QString hypothesis() const;
    void endUtterance();

private:
    PocketSphinxDecoder(cmd_ln_s *config, ps_decoder_s *decoder);

    cmd_ln_s *m_config;
    ps_decoder_s *m_decoder;
};

} // namespace lumetra
