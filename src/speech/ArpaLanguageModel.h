#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace lumetra {

// A trigram back-off language model in ARPA text form, trained on a few sentences with absolute
// discounting: every seen n-gram gives up `discount` of its count to its context's back-off weight,
// so the probabilities of every context still sum to one.
class ArpaLanguageModel {
public:
    static constexpr double discount = 0.5;

    // Each sentence is framed by <s> and </s>. Without any sentence the model knows only those two.
    static QString build(const std::vector<QStringList> &sentences);
};

} // namespace lumetra
