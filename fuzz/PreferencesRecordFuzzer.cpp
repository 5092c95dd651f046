// Any bytes stored as the preferences record either decode in full or not at all; a decoded
// record is written and read back unchanged.

#include "FuzzSupport.h"
#include "PrompterPreferences.h"

using namespace lumetra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::optional<PrompterPreferences> decoded = PrompterPreferences::fromJson(fuzz::bytesOf(data, size));
    if (!decoded)
        return 0;
    // Decoding accepts only finite numbers, so the record always has a JSON form.
    const QByteArray written = decoded->toJson();
    LUMETRA_FUZZ_CHECK(!written.isEmpty());
    const std::optional<PrompterPreferences> readBack = PrompterPreferences::fromJson(written);
    LUMETRA_FUZZ_CHECK(readBack.has_value());
    LUMETRA_FUZZ_CHECK(*readBack == *decoded);
    LUMETRA_FUZZ_CHECK(readBack->toJson() == written);
    return 0;
}
