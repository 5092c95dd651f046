#pragma once

#include "ScriptParagraph.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace lumetra {

struct ScriptSection {
    std::int64_t index = 0;
    QString title;
    std::vector<ScriptParagraph> paragraphs; // may be empty

    bool operator==(const ScriptSection &) const = default;
};

} // namespace lumetra
