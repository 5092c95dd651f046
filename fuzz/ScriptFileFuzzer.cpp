// A script file of any bytes opens exactly when it is UTF-8, and saving the opened text gives
// back the same bytes (less a leading byte-order mark).

#include "FuzzSupport.h"
#include "ScriptFileDocument.h"
#include "ScriptParser.h"

#include <QDir>
#include <QFile>

using namespace lumetra;

namespace {

// An independent strict reading of UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF,
// no sequence cut short.
bool isUtf8(const QByteArray &bytes)
{
    for (qsizetype at = 0; at < bytes.size();) {
        const auto lead = static_cast<std::uint8_t>(bytes[at]);
        int length = 0;
        char32_t scalar = 0;
        char32_t smallest = 0;
        if (lead < 0x80) {
            ++at;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, scalar = lead & 0x1F, smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, scalar = lead & 0x0F, smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, scalar = lead & 0x07, smallest = 0x10000;
        } else {
            return false;
        }
        if (at + length > bytes.size())
            return false;
        for (int i = 1; i < length; ++i) {
            const auto next = static_cast<std::uint8_t>(bytes[at + i]);
            if ((next & 0xC0) != 0x80)
                return false;
            scalar = (scalar << 6) | (next & 0x3F);
        }
        if (scalar < smallest || scalar > 0x10FFFF || (scalar >= 0xD800 && scalar <= 0xDFFF))
            return false;
        at += length;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QDir folder(fuzz::scratchFolder());
    const QString opened = folder.filePath(QStringLiteral("opened.txt"));
    fuzz::writeFile(opened, bytes);

    const auto result = ScriptFileDocument::read(opened);
    LUMETRA_FUZZ_CHECK(std::holds_alternative<ScriptFileDocument>(result) == isUtf8(bytes));
    if (const auto *failure = std::get_if<ScriptFileError>(&result)) {
        LUMETRA_FUZZ_CHECK(!failure->description.isEmpty());
        return 0;
    }
    const ScriptFileDocument &document = std::get<ScriptFileDocument>(result);
    LUMETRA_FUZZ_CHECK(!ScriptParser::parse(document.text).sections.empty());

    const QString saved = folder.filePath(QStringLiteral("saved.txt"));
    LUMETRA_FUZZ_CHECK(!document.write(saved).has_value());
    QFile file(saved);
    LUMETRA_FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    const QByteArray byteOrderMark("\xEF\xBB\xBF");
    LUMETRA_FUZZ_CHECK(file.readAll() == (bytes.startsWith(byteOrderMark) ? bytes.sliced(3) : bytes));
    return 0;
}
