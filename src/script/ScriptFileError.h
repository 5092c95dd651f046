#pragma once

#include <QString>

namespace lumetra {

// Why a script file could not be read or written, as a short Traditional-Chinese description
// that follows the "開啟失敗：" or "儲存失敗：" prefix of the status line.
struct ScriptFileError {
    QString description;

    bool operator==(const ScriptFileError &) const = default;
};

} // namespace lumetra
