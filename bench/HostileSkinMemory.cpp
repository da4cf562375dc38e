// Peak memory of loading a hostile stored skin, read from outside. The skin
// is made and packed by one run and loaded by another, so that the second
// run's peak is the load's alone:
//   lexmoor-hostile-skin write wide wide.qsk
//   /usr/bin/time -f %M lexmoor-hostile-skin load wide.qsk
// Kinds: "wide" (a 16384 x 8192 one-bit main picture), "two" (two such active
// pictures), "many" (a million one-pixel active pictures), "bounds" (one-bit
// pictures of as many pixels as a skin may decode), "full" (the same in 32-bit
// pictures: the most bytes a skin within the bounds takes), "flood" (an INI
// text of zeros that inflates one byte beyond what a stored skin may hold),
// "default" (the program's own skin, for comparison).

#include <cstdio>
#include <string>

#include "platform/gui/Forms.h"
#include "skin/core/qlSkinData.h"
#include "skin/default/DefaultSkin.h"
#include "tests/skin/core/SkinFixtures.h"

namespace {

std::string Container(const std::string& kind) {
    const std::string noPictures = "\1\1\1";
    std::string c = Int32Bytes(3);
    if (kind == "wide") {
        c += '\0' + OneBitBmp(16384, 8192) + "\1\1" + Int32Bytes(0);
    } else if (kind == "two") {
        c += noPictures + Int32Bytes(2) + OneBitBmp(16384, 8192) + OneBitBmp(16384, 8192);
    } else if (kind == "many") {
        const int32_t count = 1000000;
        c += noPictures + Int32Bytes(count);
        const std::string tiny = OneBitBmp(1, 1);
        for (int32_t i = 0; i < count; ++i) c += tiny;
    } else if (kind == "bounds" || kind == "full") {
        const int32_t side = 16384, height = int32_t(kMaxSkinPicturePixels / side);
        const int32_t count = int32_t(kMaxSkinPixels / kMaxSkinPicturePixels);
        c += noPictures + Int32Bytes(count);
        for (int32_t i = 0; i < count; ++i) c += kind == "full" ? PlainBmp(side, height, 32) : OneBitBmp(side, height);
    } else if (kind == "flood") {
        c += noPictures + Int32Bytes(0);
        return c + std::string(size_t(kMaxSkinInflatedSize) + 1 - c.size(), '\0');
    }
    return c + "[VERSION]\r\nskinname=hostile\r\n";
}

int Write(const std::string& kind, const std::string& fileName) {
    TqlCompressedStoredSkin stored(nullptr);
    if (kind == "default")
        stored.SetCompressedData(DefaultSkinZlib());
    else
        StoreContainerBytes(stored, Container(kind));
    stored.SavePackedFile(fileName);
    std::printf("%s: %zu zlib bytes\n", kind.c_str(), stored.CompressedStream.Bytes().size());
    return 0;
}

int Load(const std::string& fileName) {
    TqlCompressedStoredSkin stored(nullptr);
    stored.LoadFromPackedFile(fileName);
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

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!((mode == "write" && argc == 4) || (mode == "load" && argc == 3))) {
        std::fprintf(stderr, "usage: %s write wide|two|many|bounds|full|flood|default FILE | load FILE\n", argv[0]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication app(argc, argv);
    try {
        return mode == "write" ? Write(argv[2], argv[3]) : Load(argv[2]);
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.Message.c_str());
        return 1;
    }
}
