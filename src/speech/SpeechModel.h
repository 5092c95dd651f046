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
    // BCP 47 style, from the folder's name: "en-us" gives "en-US".
    QString languageTag;

    bool operator==(const SpeechModel &) const = default;

    // The model in `folder`, or nothing when a required file is missing or empty.
    static std::optional<SpeechModel> inFolder(const QString &folder);
    // The language tag a model folder's name gives.
    static QString languageTagOf(const QString &folder);
};

} // namespace lumetra
