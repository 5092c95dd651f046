#pragma once

#include <QString>

#include <optional>

namespace lumetra {

// The files of an offline recognition model in one folder: an acoustic model (the folder itself
// or a sub-folder holding "mdef"), a pronunciation dictionary (*.dict or *.dic) and, optionally,
// a general language model (*.lm.bin, *.lm or *.arpa).
struct SpeechModel {
    QString folder;
    QString acousticModel;
    QString dictionary;
    QString generalLanguageModel;
    // BCP 47, from the names of the model's files ("zh_cn.dic" gives "zh-CN"), else of its folder;
    // empty when no name holds a plausible tag.
    QString languageTag;

    bool operator==(const SpeechModel &) const = default;

    // The model in `folder`, or nothing when a required file is missing or empty.
    static std::optional<SpeechModel> inFolder(const QString &folder);
    // The language tag of the model in `folder`, or of the folder's name when it holds none.
    static QString languageTagOf(const QString &folder);
    // The first plausible language tag in a file or folder name: a known language code, optionally
    // followed by a script and a region ("cmudict-en-us" gives "en-US"); empty when there is none.
    static QString languageTagIn(const QString &name);
};

} // namespace lumetra
