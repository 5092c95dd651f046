#include "PocketSphinxDecoder.h"

#include <pocketsphinx.h>
#include <sphinxbase/err.h>
#include <sphinxbase/ngram_model.h>

#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace lumetra {
namespace {

// Mixes the general model in with a small weight, for words the script does not have.
bool addGeneralModel(cmd_ln_t *config, ps_decoder_t *decoder, const DecoderFiles &files)
{
    logmath_t *logmath = ps_get_logmath(decoder);
    ngram_model_t *script
        = ngram_model_read(config, files.languageModel.toLocal8Bit().constData(), NGRAM_AUTO, logmath);
    ngram_model_t *general
        = ngram_model_read(config, files.generalLanguageModel.toLocal8Bit().constData(), NGRAM_AUTO, logmath);
    if (!script || !general) {
        ngram_model_free(script);
        ngram_model_free(general);
        return false;
    }
    ngram_model_t *models[] = { script, general };
    const char *names[] = { "script", "general" };
    const float32 weights[] = { float32(1.0 - files.generalWeight), float32(files.generalWeight) };
    ngram_model_t *mixed = ngram_model_set_init(config, models, const_cast<char **>(names), weights, 2);
    if (!mixed)
        return false;
    // The decoder keeps the mixed model (and the set its parts) for its lifetime.
    return ps_set_lm(decoder, "mixed", mixed) == 0 && ps_set_search(decoder, "mixed") == 0;
}

} // namespace

std::unique_ptr<PocketSphinxDecoder> PocketSphinxDecoder::create(const DecoderFiles &files)
{
    err_set_logfp(nullptr);
    const QByteArray hmm = files.acousticModel.toLocal8Bit();
    const QByteArray dict = files.dictionary.toLocal8Bit();
    const QByteArray lm = files.languageModel.toLocal8Bit();
    cmd_ln_t *config = cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", hmm.constData(), "-dict", dict.constData(), "-lm",
        lm.constData(), "-logfn", "/dev/null", nullptr);
    if (!config)
        return nullptr;
    ps_decoder_t *decoder = ps_init(config);
    if (!decoder) {
        cmd_ln_free_r(config);
        return nullptr;
    }
    std::unique_ptr<PocketSphinxDecoder> result(new PocketSphinxDecoder(config, decoder));
    if (!files.generalLanguageModel.isEmpty() && !addGeneralModel(config, decoder, files))
        return nullptr;
    return result;
}

bool PocketSphinxDecoder::loadsInSeparateProcess(const DecoderFiles &files, int timeoutMs)
{
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0)
        _exit(create(files) ? 0 : 1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

PocketSphinxDecoder::PocketSphinxDecoder(cmd_ln_s *config, ps_decoder_s *decoder)
    : m_config(config)
    , m_decoder(decoder)
{
}

PocketSphinxDecoder::~PocketSphinxDecoder()
{
    ps_free(m_decoder);
    cmd_ln_free_r(m_config);
}

bool PocketSphinxDecoder::startUtterance()
{
    return ps_start_utt(m_decoder) == 0;
}

void PocketSphinxDecoder::process(std::span<const std::int16_t> frames)
{
    ps_process_raw(m_decoder, frames.data(), frames.size(), FALSE, FALSE);
}

bool PocketSphinxDecoder::inSpeech() const
{
    return ps_get_in_speech(m_decoder) != 0;
}

QString PocketSphinxDecoder::hypothesis() const
{
    const char *text = ps_get_hyp(m_decoder, nullptr);
    return text ? QString::fromUtf8(text) : QString();
}

void PocketSphinxDecoder::endUtterance()
{
    ps_end_utt(m_decoder);
}

} // namespace lumetra
