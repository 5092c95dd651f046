#pragma once

#include "PronunciationDictionary.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace lumetra {

// The script as sentences of words the recogniser's dictionary knows, in reading order. Words the
// dictionary lacks are left out. Text without spaces between words (Chinese) is segmented by
// longest match against the dictionary, falling back to single characters it holds; Traditional
// text also matches the dictionary's Simplified words. Words keep the dictionary's own spelling.
class ScriptVocabulary {
public:
    ScriptVocabulary(const QString &scriptText, const PronunciationDictionary &dictionary);

    const std::vector<QStringList> &sentences() const { return m_sentences; }
    // Every word once, in order of first appearance.
    QStringList words() const;

    // Longest-match segmentation of a run of text without spaces, in the dictionary's spelling.
    static QStringList segment(QStringView text, const PronunciationDictionary &dictionary);

private:
    std::vector<QStringList> m_sentences;
};

} // namespace lumetra
