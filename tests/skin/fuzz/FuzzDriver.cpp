// Runs the fuzz target without libFuzzer: a few small skins, and a fixed
// number of deterministic mutations of each (flipped, cut, repeated and
// inserted bytes), so that the test run exercises the same entry point.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "skin/core/qlSkinData.h"

using namespace std::string_literals;

bool LoadSkinBytes(const uint8_t* data, size_t size);

namespace {

// With emptyPicture, an empty active picture (bare BMP headers) stands before the other.
std::string Container(const std::string& ini, bool emptyPicture = false) {
    TqlSkinContainer c;
    c.Picture = TBitmap(3, 2);
    if (emptyPicture) c.ActivePictures.push_back(std::make_unique<TBitmap>());
    c.ActivePictures.push_back(std::make_unique<TBitmap>(2, 2));
    c.IniText = ini;
    TMemoryStream s;
    c.WriteTo(s);
    return s.Bytes();
}

std::string Mutate(std::string s, std::mt19937& rng) {
    const int edits = 1 + int(rng() % 4);
    for (int e = 0; e < edits && !s.empty(); ++e) {
        const size_t at = rng() % s.size();
        switch (rng() % 5) {
            case 0:
                s[at] = char(rng());
                break;
            case 1:
                s.resize(at);
                break;
            case 2:
                s.insert(at, std::string(1 + rng() % 8, char(rng())));
                break;
            case 3:
                s.insert(at, s.substr(at, 1 + rng() % 64));
                break;
            case 4:
                s[at] = char(s[at] ^ (1 << (rng() % 8)));
                break;
        }
    }
    return s;
}

bool FeedTarget(const std::string& input) {
    return LoadSkinBytes(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

}  // namespace

TEST(ContainerFuzz, MutatedSkinsLoadOrAreRefused) {
    const std::string ini =
        "[PICTURES]\r\nactivepicturescount=1\r\n0=a.bmp\r\n[FORMINFO]\r\nclientrect=1,2,3,4\r\nmaskrectarea=0,0,9,9\r\n"
        "[SKINCONTROLS]\r\ncount=3\r\n0=b:button\r\n1=p:panel\r\n2=t:tab\r\n[b]\r\npictureindex=0\r\nframecount=0\r\n"
        "animateskinrect=0,0,4,4\r\n[SKINOBJECTS]\r\ncount=2\r\n0=m:menuitem\r\n1=a:animate\r\n[a]\r\ncountframes="
        "0\r\n";
    const std::string container = Container(ini);
    TMemoryStream in(container), zlib;
    CompressStream(in, zlib);
    const std::string seeds[] = {"\1" + container, "\0"s + zlib.Bytes(), "\1" + Container(""), "\1" + Container(ini, true)};
    std::mt19937 rng(20261207);
    int loaded = 0, refused = 0;
    for (const std::string& seed : seeds) {
        EXPECT_TRUE(FeedTarget(seed));
        // Any exception other than a skin, stream or bitmap error escapes and fails the test.
        for (int i = 0; i < 3000; ++i) (FeedTarget(Mutate(seed, rng)) ? loaded : refused)++;
    }
    EXPECT_GT(refused, 0);
    EXPECT_GT(loaded, 0);
}
