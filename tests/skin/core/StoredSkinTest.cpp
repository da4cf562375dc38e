// The stored skin: its container layout, BMP pictures inside streams, packed
// envelopes and skin lists, and refusal of every damaged input.

#include <gtest/gtest.h>

#include <string>

#include "skin/core/SkinList.h"
#include "skin/core/StoredSkin.h"
#include "tests/skin/core/SkinFixtures.h"
#include "tests/support/TempFolder.h"

using namespace std::string_literals;

namespace {

void ExpectSamePixels(const TBitmap& a, const TBitmap& b) {
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) ASSERT_EQ(a.Pixel(x, y), b.Pixel(x, y)) << x << "," << y;
}

std::string Bmp(const TBitmap& b) {
    TMemoryStream s;
    b.SaveToStream(s);
    return s.Bytes();
}

}  // namespace

TEST(BitmapStreams, NarrowPicturesRoundTripPixelExactAndLeaveTheStreamAfterThem) {
    for (int width = 1; width <= 5; ++width) {
        SCOPED_TRACE(width);
        const TBitmap picture = NumberedPicture(width, 3, 7 * width);
        TMemoryStream s;
        picture.SaveToStream(s);
        const int row = (width * 3 + 3) / 4 * 4;
        const std::string& bytes = s.Bytes();
        ASSERT_EQ(bytes.size(), size_t(54 + row * 3));
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(bytes.substr(2, 4), Int32Bytes(54 + row * 3));  // exact file size
        s.WriteBuffer("after"s);
        s.SetPosition(0);
        TBitmap back;
        back.LoadFromStream(s);
        ExpectSamePixels(back, picture);
        char rest[5];
        s.ReadBuffer(rest, 5);
        EXPECT_EQ(std::string(rest, 5), "after");
    }
}

TEST(StoredSkin, AContainerIsLaidOutAsVersionFlagsPicturesCountAndText) {
    TqlSkinContainer c;
    c.Picture = NumberedPicture(3, 2, 1);
    c.Mask = NumberedPicture(2, 2, 90);
    c.ActivePictures.push_back(std::make_unique<TBitmap>(NumberedPicture(1, 1, 30)));
    c.ActivePictures.push_back(std::make_unique<TBitmap>(NumberedPicture(5, 4, 60)));
    c.IniText = "[VERSION]\r\nskinname=t\r\n";
    TqlCompressedStoredSkin skin(nullptr);
    skin.LoadFromParts(c);

    const std::string expected = Int32Bytes(3) + "\0"s + Bmp(c.Picture) + "\1"s + "\0"s + Bmp(c.Mask) + Int32Bytes(2) +
                                 Bmp(*c.ActivePictures[0]) + Bmp(*c.ActivePictures[1]) + c.IniText;
    TMemoryStream inflated;
    skin.DecompressTo(inflated);
    EXPECT_EQ(inflated.Bytes(), expected);

    inflated.SetPosition(0);
    TqlSkinContainer back;
    back.ReadFrom(inflated);
    ExpectSamePixels(back.Picture, c.Picture);
    EXPECT_TRUE(back.InActivePicture.Empty());
    ExpectSamePixels(back.Mask, c.Mask);
    ASSERT_EQ(back.ActivePictures.size(), 2u);
    ExpectSamePixels(*back.ActivePictures[1], *c.ActivePictures[1]);
    EXPECT_EQ(back.IniText, c.IniText);
}

TEST(StoredSkin, VersionTwoCarriesTwoPicturesThatAreDropped) {
    const TBitmap a = NumberedPicture(2, 2, 1), b = NumberedPicture(3, 1, 2), active = NumberedPicture(1, 2, 3);
    TMemoryStream s(Int32Bytes(2) + "\1\1\0"s + Bmp(a) + "\0"s + Bmp(b) + "\1"s + Int32Bytes(1) + Bmp(active) + "ini");
    TqlSkinContainer c;
    c.ReadFrom(s);
    EXPECT_TRUE(c.Picture.Empty());
    ExpectSamePixels(c.Mask, a);
    ASSERT_EQ(c.ActivePictures.size(), 1u);
    ExpectSamePixels(*c.ActivePictures[0], active);
    EXPECT_EQ(c.IniText, "ini");
}

// A count below zero means no pictures: the INI text follows at once.
TEST(StoredSkin, ANegativePictureCountIsASkinWithoutPictures) {
    for (int32_t count : {-1, -2147483647 - 1}) {
        SCOPED_TRACE(count);
        TMemoryStream s(Int32Bytes(3) + "\1\1\1"s + Int32Bytes(count) + "[VERSION]\r\n");
        TqlSkinContainer c;
        c.ReadFrom(s);
        EXPECT_TRUE(c.ActivePictures.empty());
        EXPECT_EQ(c.IniText, "[VERSION]\r\n");
    }
}

TEST(StoredSkin, DamagedContainersAreErrors) {
    const std::string bmp = Bmp(NumberedPicture(2, 2, 5));
    std::string tooLarge = bmp, tooSmall = bmp, notBmp = bmp, wide = bmp, zeroHigh = bmp;
    tooLarge.replace(2, 4, Int32Bytes(int32_t(bmp.size()) + 1));
    tooSmall.replace(2, 4, Int32Bytes(53));
    notBmp[0] = 'X';
    wide.replace(18, 4, Int32Bytes(20000));
    zeroHigh.replace(22, 4, Int32Bytes(0));
    const std::string noPictures = "\1\1\1"s;
    struct Case {
        const char* name;
        std::string inflated;
    };
    const Case cases[] = {
        {"version 4", Int32Bytes(4) + noPictures + Int32Bytes(0)},
        {"version 0", Int32Bytes(0) + noPictures + Int32Bytes(0)},
        {"version -1", Int32Bytes(-1) + noPictures + Int32Bytes(0)},
        {"cut in the version", "\3\0"s},
        {"cut before the count", Int32Bytes(3) + noPictures},
        {"bfSize beyond the data", Int32Bytes(3) + "\0"s + tooLarge},
        {"bfSize below 54", Int32Bytes(3) + "\0"s + tooSmall},
        {"not BM", Int32Bytes(3) + "\0"s + notBmp},
        {"side beyond 16384", Int32Bytes(3) + "\0"s + wide},
        {"height 0", Int32Bytes(3) + "\0"s + zeroHigh},
        {"a billion pictures", Int32Bytes(3) + noPictures + Int32Bytes(1000000000) + bmp},
        {"fewer pictures than counted", Int32Bytes(3) + noPictures + Int32Bytes(2) + bmp + std::string(60, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMemoryStream s(c.inflated);
        TqlSkinContainer container;
        EXPECT_THROW(container.ReadFrom(s), Exception);
    }
}

TEST(StoredSkin, PackedEnvelopesRoundTripAndRefuseBadHeaders) {
    TqlCompressedStoredSkin skin(nullptr);
    StoreSkin(skin, "[VERSION]\r\n");
    TMemoryStream packed;
    skin.SaveToStream(packed);
    EXPECT_EQ(packed.Bytes().substr(0, 4), Int32Bytes(3));
    EXPECT_EQ(packed.Bytes().substr(4, 4), Int32Bytes(int32_t(skin.CompressedStream.Bytes().size())));

    TqlCompressedStoredSkin back(nullptr);
    back.LoadFromStream(packed);
    EXPECT_EQ(back.CompressedStream.Bytes(), skin.CompressedStream.Bytes());

    TempFolder folder;
    const std::string path = folder.Path() + "/skin.qsk";
    skin.SavePackedFile(path);
    TqlCompressedStoredSkin fromFile(nullptr);
    fromFile.LoadFromPackedFile(path);
    EXPECT_EQ(fromFile.CompressedStream.Bytes(), skin.CompressedStream.Bytes());
    TMemoryStream again;
    fromFile.SaveToStream(again);
    EXPECT_EQ(again.Bytes(), packed.Bytes());

    const std::string zlib = skin.CompressedStream.Bytes();
    const int32_t size = int32_t(zlib.size());
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"version 4", Int32Bytes(4) + Int32Bytes(size) + zlib},
        {"version 0", Int32Bytes(0) + Int32Bytes(size) + zlib},
        {"size -1", Int32Bytes(3) + Int32Bytes(-1) + zlib},
        {"size 0", Int32Bytes(3) + Int32Bytes(0) + zlib},
        {"size beyond the data", Int32Bytes(3) + Int32Bytes(size + 1) + zlib},
        {"cut header", Int32Bytes(3) + "\1"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TqlCompressedStoredSkin target(nullptr);
        StoreSkin(target, "old");
        TMemoryStream s(c.bytes);
        EXPECT_THROW(target.LoadFromStream(s), Exception);
        EXPECT_TRUE(target.IsEmpty());
    }
}

TEST(SkinList, ItemsAreNumberedAndCarryTheirSkinThroughTheirProperty) {
    TqlCompressedSkinList list(nullptr);
    for (int i = 0; i < 3; ++i) list.Skins().Add();
    EXPECT_EQ(list.Skins().Items(0).GetDisplayName(), "qlSkin0");
    EXPECT_EQ(list.Skins().Items(2).Name, "qlSkin2");
    EXPECT_EQ(list.Skins().Owner(), &list);

    StoreSkin(list.Skins().Items(1).Skin(), "[VERSION]\r\nskinname=one\r\n");
    TMemoryStream property;
    list.Skins().Items(1).WriteSkin(property);
    list.Skins().Items(2).ReadSkin(property);
    EXPECT_EQ(list.Skins().Items(2).Skin().CompressedStream.Bytes(),
              list.Skins().Items(1).Skin().CompressedStream.Bytes());

    TMemoryStream newer(Int32Bytes(4) + Int32Bytes(1) + "x");
    EXPECT_THROW(list.Skins().Items(2).ReadSkin(newer), EqlSkinError);
    EXPECT_TRUE(list.Skins().Items(2).Skin().IsEmpty());
}

// Setting a list's skins copies them: the list keeps its own items and owner,
// and a later change to either side leaves the other alone.
TEST(SkinList, SettingTheSkinsCopiesEveryItemWithItsSkin) {
    TqlCompressedSkinList from(nullptr), to(nullptr);
    for (int i = 0; i < 2; ++i) from.Skins().Add();
    from.Skins().Items(1).Description = "dark";
    from.Skins().Items(1).FileName = "dark.ini";
    from.Skins().Items(1).Name = "night";
    StoreSkin(from.Skins().Items(1).Skin(), "[VERSION]\r\nskinname=dark\r\n");
    to.Skins().Add();
    to.Skins().Add();
    to.Skins().Add();

    to.SetSkins(from.Skins());
    ASSERT_EQ(to.Skins().Count(), 2);
    EXPECT_EQ(to.Skins().Owner(), &to);
    EXPECT_EQ(to.Skins().Items(0).Name, "qlSkin0");
    EXPECT_EQ(to.Skins().Items(1).Name, "night");
    EXPECT_EQ(to.Skins().Items(1).Description, "dark");
    EXPECT_EQ(to.Skins().Items(1).FileName, "dark.ini");
    EXPECT_EQ(to.Skins().Items(1).Skin().CompressedStream.Bytes(),
              from.Skins().Items(1).Skin().CompressedStream.Bytes());
    EXPECT_TRUE(to.Skins().Items(0).Skin().IsEmpty());

    from.Skins().Items(1).Description = "changed";
    from.Skins().Clear();
    EXPECT_EQ(to.Skins().Items(1).Description, "dark");
    EXPECT_FALSE(to.Skins().Items(1).Skin().IsEmpty());
    to.SetSkins(to.Skins());
    EXPECT_EQ(to.Skins().Count(), 2);
}

TEST(StoredSkin, ASkinIniFolderBecomesAContainer) {
    TempFolder folder;
    NumberedPicture(3, 3, 1).SaveToFile(folder.Path() + "/main.bmp");
    NumberedPicture(2, 1, 2).SaveToFile(folder.Path() + "/a0.bmp");
    const std::string ini =
        "[VERSION]\r\nskinname=disk\r\n[PICTURES]\r\npicture=main.bmp\r\nactivepicturescount=1\r\n0=a0.bmp\r\n"
        "[FORMINFO]\r\n[SKINOBJECTS]\r\n[SKINCONTROLS]\r\n";
    const std::string path = folder.Write("skin.ini", ini);
    TqlCompressedStoredSkin skin(nullptr);
    skin.LoadFromSkinIni(path);
    TMemoryStream inflated;
    skin.DecompressTo(inflated);
    inflated.SetPosition(0);
    TqlSkinContainer c;
    c.ReadFrom(inflated);
    ExpectSamePixels(c.Picture, NumberedPicture(3, 3, 1));
    ASSERT_EQ(c.ActivePictures.size(), 1u);
    EXPECT_EQ(c.IniText, ini);

    // An INI that is no skin leaves the stored skin as it was.
    const std::string before = skin.CompressedStream.Bytes();
    skin.LoadFromSkinIni(folder.Write("plain.ini", "[VERSION]\r\n[PICTURES]\r\n"));
    EXPECT_EQ(skin.CompressedStream.Bytes(), before);
    // A missing picture raises and also leaves it as it was.
    EXPECT_THROW(skin.LoadFromSkinIni(folder.Write("broken.ini",
                                                   "[VERSION]\r\n[PICTURES]\r\npicture=none.bmp\r\n"
                                                   "[FORMINFO]\r\n[SKINOBJECTS]\r\n[SKINCONTROLS]\r\n")),
                 Exception);
    EXPECT_EQ(skin.CompressedStream.Bytes(), before);
}
