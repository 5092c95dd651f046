// Any four stored keys normalise to one character each, and normalising again changes nothing.

#include "FuzzSupport.h"
#include "GraphemeClusters.h"
#include "ShortcutSettings.h"

using namespace lumetra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The first three bytes give the lengths of the first three keys; the fourth takes the rest.
    if (size < 3)
        return 0;
    const QString text = fuzz::utf16FromBytes(data + 3, size - 3);
    ShortcutSettings settings;
    qsizetype at = 0;
    for (std::size_t i = 0; i < shortcutSettingsFields.size(); ++i) {
        const qsizetype left = text.size() - at;
        const qsizetype length = i + 1 < shortcutSettingsFields.size() ? data[i] % (left + 1) : left;
        settings.*shortcutSettingsFields[i].member = text.sliced(at, length);
        at += length;
    }

    settings.normalize();
    for (const ShortcutSettingsField &field : shortcutSettingsFields)
        LUMETRA_FUZZ_CHECK(GraphemeClusters::count(settings.*field.member) == 1);
    ShortcutSettings again = settings;
    again.normalize();
    LUMETRA_FUZZ_CHECK(again == settings);
    return 0;
}
