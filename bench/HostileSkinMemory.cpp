// Loads one hostile stored skin, made here in memory, so that its peak memory
// can be read from outside:  /usr/bin/time -f %M lexmoor-hostile-skin wide
// Kinds: "wide" (a 16384 x 8192 one-bit main picture), "two" (two such active
// pictures), "many" (a million one-pixel active pictures), "default" (the
// program's own skin, for comparison).

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/gui/Forms.h"
#include "skin/core/qlSkinData.h"
#include "skin/default/DefaultSkin.h"

namespace {

void PutLE(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A black-and-white BMP file of the given size, all pixels 0.
std::string OneBitBmp(uint32_t width, uint32_t height) {
    const uint32_t row = (width + 31) / 32 * 4, offset = 14 + 40 + 8;
    std::string out = "BM";
    PutLE(out, offset + row * height, 4);
    PutLE(out, 0, 4);
    PutLE(out, offset, 4);
    for (uint32_t v : {40u, width, height}) PutLE(out, v, 4);
    PutLE(out, 1, 2);
    PutLE(out, 1, 2);
    for (uint32_t v : {0u, row * height, 3780u, 3780u, 2u, 0u}) PutLE(out, v, 4);
    PutLE(out, 0x000000, 4);
    PutLE(out, 0xFFFFFF, 4);
    out.append(size_t(row) * height, '\0');
    return out;
}

std::string Container(const std::string& kind) {
    std::string c;
    PutLE(c, 3, 4);
    if (kind == "wide") {
        c += '\0' + OneBitBmp(16384, 8192) + "\1\1";
        PutLE(c, 0, 4);
    } else if (kind == "two") {
        c += "\1\1\1";
        PutLE(c, 2, 4);
        c += OneBitBmp(16384, 8192) + OneBitBmp(16384, 8192);
    } else if (kind == "many") {
        c += "\1\1\1";
        const uint32_t count = 1000000;
        PutLE(c, count, 4);
        const std::string tiny = OneBitBmp(1, 1);
        for (uint32_t i = 0; i < count; ++i) c += tiny;
    }
    return c + "[VERSION]\r\nskinname=hostile\r\n";
}

}  // namespace

int main(int argc, char** argv) {
    const std::string kind = argc > 1 ? argv[1] : "";
    if (kind != "wide" && kind != "two" && kind != "many" && kind != "default") {
        std::fprintf(stderr, "usage: %s wide|two|many|default\n", argv[0]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication app(argc, argv);
    TqlCompressedStoredSkin stored(nullptr);
    if (kind == "default") {
        stored.SetCompressedData(DefaultSkinZlib());
    } else {
        TMemoryStream inflated(Container(kind)), deflated;
        CompressStream(inflated, deflated);
        stored.SetCompressedData(deflated.Bytes());
    }
    std::printf("%s: stored skin of %zu bytes\n", kind.c_str(), stored.CompressedStream.Bytes().size());
    TqlSkinData skin(nullptr);
    try {
        skin.LoadFromStoredSkin(stored);
        std::printf("loaded: %zu active pictures, main picture %d x %d\n", skin.ActivePictures.size(),
                    skin.Picture.Width(), skin.Picture.Height());
    } catch (const Exception& e) {
        std::printf("refused: %s\n", e.Message.c_str());
    }
    return 0;
}
