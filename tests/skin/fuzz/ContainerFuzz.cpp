// Fuzz target of the stored-skin loader: any bytes, taken either as the zlib
// data of a stored skin or as an inflated container, must load or raise a
// skin error, never crash or hang.

#include <cstddef>
#include <cstdint>
#include <string>

#include "skin/core/qlSkinData.h"

// True when the bytes loaded as a skin, false when they were refused.
bool LoadSkinBytes(const uint8_t* data, size_t size) {
    if (size == 0) return false;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    TqlCompressedStoredSkin stored(nullptr);
    try {
        if (data[0] & 1) {
            TMemoryStream inflated(bytes), deflated;
            CompressStream(inflated, deflated);
            stored.SetCompressedData(deflated.Bytes());
        } else {
            stored.SetCompressedData(bytes);
        }
        TqlSkinData skin(nullptr);
        skin.LoadFromStoredSkin(stored);
        return !skin.Empty;
    } catch (const Exception&) {
        return false;  // refusing damaged input is the wanted outcome
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LoadSkinBytes(data, size);
    return 0;
}
