// The stored skin: its container layout, BMP pictures inside streams, packed
// envelopes and skin lists, and refusal of every damaged input.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/core/Classes.h"
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

// A picture whose pixels differ all along a row, however long.
TBitmap Strip(int width, int height) {
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) b.SetPixel(x, y, RGB(x & 0xFF, (x >> 8) & 0xFF, 10 * y));
    return b;
}

TqlSkinContainer Inflated(const TqlCompressedStoredSkin& skin) {
    TMemoryStream inflated;
    skin.DecompressTo(inflated);
    inflated.SetPosition(0);
    TqlSkinContainer c;
    c.ReadFrom(inflated);
    return c;
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
        {"cut in the version", "\3\0"s},
        {"cut before the count", Int32Bytes(3) + noPictures},
        {"bfSize beyond the data", Int32Bytes(3) + "\0"s + tooLarge},
        {"bfSize below 54", Int32Bytes(3) + "\0"s + tooSmall},
        {"not BM", Int32Bytes(3) + "\0"s + notBmp},
        {"more rows than the file holds", Int32Bytes(3) + "\0"s + wide},
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

// Readers take every version up to the one written; only version 2 carries
// the two extra pictures.
TEST(StoredSkin, EveryVersionUpToThreeIsRead) {
    const TBitmap active = NumberedPicture(2, 3, 40);
    TqlCompressedStoredSkin skin(nullptr);
    StoreSkin(skin, "[VERSION]\r\n");
    const std::string zlib = skin.CompressedStream.Bytes();
    for (int32_t version : {3, 1, 0, -1, INT_MIN}) {
        SCOPED_TRACE(version);
        TMemoryStream inflated(Int32Bytes(version) + "\1\1\1"s + Int32Bytes(1) + Bmp(active) + "ini");
        TqlSkinContainer c;
        c.ReadFrom(inflated);
        ASSERT_EQ(c.ActivePictures.size(), 1u);
        ExpectSamePixels(*c.ActivePictures[0], active);
        EXPECT_EQ(c.IniText, "ini");

        TMemoryStream packed(Int32Bytes(version) + Int32Bytes(int32_t(zlib.size())) + zlib);
        TqlCompressedStoredSkin back(nullptr);
        back.LoadFromStream(packed);
        EXPECT_EQ(back.CompressedStream.Bytes(), zlib);
    }
}

// An empty stored skin, as a new skin-list item holds, is written with size 0
// and reads back as empty, replacing what the reader held.
TEST(StoredSkin, AnEmptyStoredSkinReadsBackEmpty) {
    TqlCompressedStoredSkin empty(nullptr);
    TMemoryStream packed;
    empty.SaveToStream(packed);
    EXPECT_EQ(packed.Bytes(), Int32Bytes(3) + Int32Bytes(0));
    TqlCompressedStoredSkin target(nullptr);
    StoreSkin(target, "old");
    target.LoadFromStream(packed);
    EXPECT_TRUE(target.IsEmpty());

    TqlCompressedSkinList list(nullptr);
    TqlSkinListItem& fresh = list.Skins().Add();
    TqlSkinListItem& held = list.Skins().Add();
    StoreSkin(held.Skin(), "[VERSION]\r\nskinname=held\r\n");
    TMemoryStream property;
    fresh.WriteSkin(property);
    held.ReadSkin(property);
    EXPECT_TRUE(held.Skin().IsEmpty());
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
        {"size -1", Int32Bytes(3) + Int32Bytes(-1) + zlib},
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

// Active pictures have no flag byte: an empty one is written as bare BMP
// headers and read back as empty, and the pictures after it keep their numbers.
TEST(StoredSkin, EmptyActivePicturesReadBackEmptyInTheirPlace) {
    TqlSkinContainer c;
    c.ActivePictures.push_back(std::make_unique<TBitmap>(NumberedPicture(2, 2, 10)));
    c.ActivePictures.push_back(std::make_unique<TBitmap>());
    c.ActivePictures.push_back(std::make_unique<TBitmap>(5, 0));
    c.ActivePictures.push_back(std::make_unique<TBitmap>(NumberedPicture(3, 1, 70)));
    c.IniText = "[VERSION]\r\n";
    TqlCompressedStoredSkin skin(nullptr);
    skin.LoadFromParts(c);
    TMemoryStream inflated;
    skin.DecompressTo(inflated);
    inflated.SetPosition(0);
    TqlSkinContainer back;
    back.ReadFrom(inflated);
    ASSERT_EQ(back.ActivePictures.size(), 4u);
    ExpectSamePixels(*back.ActivePictures[0], *c.ActivePictures[0]);
    EXPECT_TRUE(back.ActivePictures[1]->Empty());
    EXPECT_TRUE(back.ActivePictures[2]->Empty());
    ExpectSamePixels(*back.ActivePictures[3], *c.ActivePictures[3]);
    EXPECT_EQ(back.IniText, c.IniText);
}

// The packer keeps each picture at the number the INI gives it: a number
// without a file name fails and leaves the stored skin as it was, never
// moving the pictures after it down.
TEST(StoredSkin, APackedSkinIniKeepsEveryPictureAtItsNumber) {
    TempFolder folder;
    const TBitmap pictures[] = {NumberedPicture(1, 1, 10), NumberedPicture(2, 1, 20), NumberedPicture(3, 1, 30)};
    const char* names[] = {"a.bmp", "b.bmp", "c.bmp"};
    for (int i = 0; i < 3; ++i) pictures[i].SaveToFile(folder.Path() + "/" + names[i]);
    const std::string sections = "[VERSION]\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\n[SKINCONTROLS]\r\n[PICTURES]\r\n";

    TqlCompressedStoredSkin skin(nullptr);
    skin.LoadFromSkinIni(
        folder.Write("all.ini", sections + "activepicturescount=3\r\n2=c.bmp\r\n0=a.bmp\r\n1=b.bmp\r\n"));
    TMemoryStream inflated;
    skin.DecompressTo(inflated);
    inflated.SetPosition(0);
    TqlSkinContainer c;
    c.ReadFrom(inflated);
    ASSERT_EQ(c.ActivePictures.size(), 3u);
    for (int i = 0; i < 3; ++i) ExpectSamePixels(*c.ActivePictures[size_t(i)], pictures[i]);

    const std::string before = skin.CompressedStream.Bytes();
    for (const char* keys :
         {"activepicturescount=3\r\n0=a.bmp\r\n2=c.bmp\r\n", "activepicturescount=3\r\n0=a.bmp\r\n1=b.bmp\r\n",
          "activepicturescount=2\r\n0=\r\n1=b.bmp\r\n", "activepicturescount=5000\r\n0=a.bmp\r\n"}) {
        SCOPED_TRACE(keys);
        EXPECT_THROW(skin.LoadFromSkinIni(folder.Write("gap.ini", sections + keys)), EqlSkinError);
        EXPECT_EQ(skin.CompressedStream.Bytes(), before);
    }
}

// A stored skin decodes no more pixels and pictures than its bounds allow;
// one that would is refused with a skin error before any picture is decoded,
// and the packer refuses to write one.
TEST(StoredSkin, PicturesBeyondTheBoundsAreRefusedBeforeAnyIsDecoded) {
    const int32_t side = 16384, fullHeight = int32_t(kMaxSkinPicturePixels / side);
    ASSERT_EQ(int64_t(side) * fullHeight, kMaxSkinPicturePixels);
    const std::string small = Bmp(NumberedPicture(2, 2, 5)), tiny = OneBitBmp(1, 1);
    const std::string noPictures = "\1\1\1"s;
    std::string tooMany = Int32Bytes(3) + noPictures + Int32Bytes(kMaxActivePictures + 1);
    for (int i = 0; i <= kMaxActivePictures; ++i) tooMany += tiny;
    // Full pictures, upright and lying, up to the bound of all pixels, then one pixel more.
    ASSERT_EQ(kMaxSkinPixels % kMaxSkinPicturePixels, 0);
    const int32_t fullCount = int32_t(kMaxSkinPixels / kMaxSkinPicturePixels);
    std::string overTotal = Int32Bytes(3) + noPictures + Int32Bytes(fullCount + 1);
    for (int i = 0; i < fullCount; ++i) overTotal += i % 2 ? OneBitBmp(fullHeight, side) : OneBitBmp(side, fullHeight);
    overTotal += tiny;
    struct Case {
        const char* name;
        std::string inflated;
    };
    const Case cases[] = {
        {"a main picture a row too high",
         Int32Bytes(3) + "\0"s + OneBitBmp(side, fullHeight + 1) + "\1\1"s + Int32Bytes(0)},
        {"16384 x 8192 pixels", Int32Bytes(3) + "\1\1\0"s + OneBitBmp(side, 8192) + Int32Bytes(0)},
        {"an active picture after a good one",
         Int32Bytes(3) + noPictures + Int32Bytes(2) + small + OneBitBmp(side, fullHeight + 1)},
        {"a dropped picture of version 2",
         Int32Bytes(2) + "\1\1\1\0"s + OneBitBmp(side, fullHeight + 1) + "\1"s + Int32Bytes(0)},
        {"full pictures and one pixel more", overTotal},
        {"one active picture too many", tooMany},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMemoryStream s(c.inflated);
        TqlSkinContainer container;
        container.Picture = NumberedPicture(3, 3, 1);
        container.ActivePictures.push_back(std::make_unique<TBitmap>(NumberedPicture(1, 1, 2)));
        EXPECT_THROW(container.ReadFrom(s), EqlSkinError);
        // Nothing was decoded over what the container held.
        ExpectSamePixels(container.Picture, NumberedPicture(3, 3, 1));
        ASSERT_EQ(container.ActivePictures.size(), 1u);
        ExpectSamePixels(*container.ActivePictures[0], NumberedPicture(1, 1, 2));
    }

    // At the bounds a skin loads.
    std::string most = Int32Bytes(3) + noPictures + Int32Bytes(kMaxActivePictures);
    for (int i = 0; i < kMaxActivePictures - 1; ++i) most += tiny;
    most += OneBitBmp(side, fullHeight);
    TMemoryStream s(most + "ini");
    TqlSkinContainer full;
    full.ReadFrom(s);
    ASSERT_EQ(full.ActivePictures.size(), size_t(kMaxActivePictures));
    EXPECT_EQ(full.ActivePictures.back()->Width(), side);
    EXPECT_EQ(full.ActivePictures.back()->Height(), fullHeight);
    EXPECT_EQ(full.IniText, "ini");

    TqlCompressedStoredSkin skin(nullptr);
    StoreSkin(skin, "old");
    const std::string before = skin.CompressedStream.Bytes();
    TqlSkinContainer large;
    large.Mask = TBitmap(side, fullHeight + 1);
    EXPECT_THROW(skin.LoadFromParts(large), EqlSkinError);
    TqlSkinContainer crowded;
    for (int i = 0; i <= kMaxActivePictures; ++i) crowded.ActivePictures.push_back(std::make_unique<TBitmap>(1, 1));
    EXPECT_THROW(skin.LoadFromParts(crowded), EqlSkinError);
    EXPECT_EQ(skin.CompressedStream.Bytes(), before);
}

// An INI text of more lines than a skin may hold is refused before any
// picture is decoded, and the packer refuses to write one; lines are counted
// as a string list splits them, so a text at the bound still loads.
TEST(StoredSkin, AnIniTextBeyondTheLineBoundIsRefused) {
    const std::string endings[] = {"\r\n", "\n", "\r"};
    std::string atBound;
    for (int64_t i = 0; i < kMaxSkinIniLines; ++i) atBound += "k=v" + endings[i % 3];
    const std::string head = Int32Bytes(3) + "\0"s + Bmp(NumberedPicture(2, 2, 5)) + "\1\1"s + Int32Bytes(0);

    TMemoryStream s(head + atBound);
    TqlSkinContainer loaded;
    loaded.ReadFrom(s);
    EXPECT_EQ(loaded.IniText, atBound);
    TStringList lines;
    lines.SetText(loaded.IniText);
    EXPECT_EQ(lines.Count(), kMaxSkinIniLines);

    for (const std::string& more : {"x"s, "\r"s, "\n"s}) {
        SCOPED_TRACE(more == "x" ? "a last line without its end" : "one more empty line");
        TMemoryStream over(head + atBound + more);
        TqlSkinContainer container;
        container.Picture = NumberedPicture(3, 3, 1);
        EXPECT_THROW(container.ReadFrom(over), EqlSkinError);
        ExpectSamePixels(container.Picture, NumberedPicture(3, 3, 1));
        EXPECT_TRUE(container.IniText.empty());

        TqlCompressedStoredSkin skin(nullptr);
        StoreSkin(skin, "old");
        const std::string before = skin.CompressedStream.Bytes();
        TqlSkinContainer large;
        large.IniText = atBound + more;
        EXPECT_THROW(skin.LoadFromParts(large), EqlSkinError);
        EXPECT_EQ(skin.CompressedStream.Bytes(), before);
    }
}

// A picture may have any sides its pixels allow, up to a row of all the
// pixels a picture may have, laid out by hand or packed from the skin's folder.
TEST(StoredSkin, PicturesOfAnySidesWithinThePixelBoundsPackAndLoad) {
    const int32_t longest = int32_t(kMaxSkinPicturePixels);
    TMemoryStream s(Int32Bytes(3) + "\0"s + OneBitBmp(longest, 1) + "\1\1"s + Int32Bytes(1) + OneBitBmp(1, 70000));
    TqlSkinContainer byHand;
    byHand.ReadFrom(s);
    EXPECT_EQ(byHand.Picture.Width(), longest);
    EXPECT_EQ(byHand.Picture.Pixel(longest - 1, 0), clBlack);
    ASSERT_EQ(byHand.ActivePictures.size(), 1u);
    EXPECT_EQ(byHand.ActivePictures[0]->Height(), 70000);

    TempFolder folder;
    Strip(70000, 2).SaveToFile(folder.Path() + "/wide.bmp");
    TqlCompressedStoredSkin packed(nullptr);
    packed.LoadFromSkinIni(folder.Write("skin.ini",
                                        "[VERSION]\r\n[PICTURES]\r\npicture=wide.bmp\r\n"
                                        "[FORMINFO]\r\n[SKINOBJECTS]\r\n[SKINCONTROLS]\r\n"));
    ExpectSamePixels(Inflated(packed).Picture, Strip(70000, 2));
}

// A picture beyond a bound is refused by its place in the skin, and when
// packing also by its file, together with the bound it passed.
TEST(StoredSkin, ARefusedPictureIsNamedWithTheBoundItPassed) {
    const int32_t side = 16384, fullHeight = int32_t(kMaxSkinPicturePixels / side);
    const std::string over = OneBitBmp(side, fullHeight + 1), full = OneBitBmp(side, fullHeight), tiny = OneBitBmp(1, 1);
    const std::string onePicture = std::to_string(kMaxSkinPicturePixels), all = std::to_string(kMaxSkinPixels);
    using testing::HasSubstr;
    struct Case {
        const char* name;
        std::string inflated;
        std::vector<std::string> said;
    };
    const Case cases[] = {
        {"main picture", Int32Bytes(3) + "\0"s + over + "\1\1"s + Int32Bytes(0),
         {"Main picture", "16384 x 1025", onePicture}},
        {"mask", Int32Bytes(3) + "\1\1\0"s + over + Int32Bytes(0), {"Mask", onePicture}},
        {"third active picture", Int32Bytes(3) + "\1\1\1"s + Int32Bytes(3) + tiny + tiny + over,
         {"Active picture 2", onePicture}},
        {"the picture that passes all pixels", Int32Bytes(3) + "\0"s + full + "\1\1"s + Int32Bytes(2) + full + tiny,
         {"Active picture 1", all}},
        {"a cut picture", Int32Bytes(3) + "\1\1\1"s + Int32Bytes(2) + tiny + tiny.substr(1), {"Active picture 1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMemoryStream s(c.inflated);
        TqlSkinContainer container;
        try {
            container.ReadFrom(s);
            ADD_FAILURE() << "loaded";
        } catch (const EqlSkinError& e) {
            for (const std::string& said : c.said) EXPECT_THAT(e.Message, HasSubstr(said));
        }
    }

    TempFolder folder;
    folder.Write("over.bmp", over);
    folder.Write("full.bmp", full);
    folder.Write("tiny.bmp", tiny);
    std::string unsized = over;  // a file size the headers cannot be trusted with
    unsized.replace(2, 4, Int32Bytes(-1));
    folder.Write("unsized.bmp", unsized);
    const std::string sections = "[VERSION]\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\n[SKINCONTROLS]\r\n[PICTURES]\r\n";
    const struct {
        const char* pictures;
        std::vector<std::string> said;
    } packs[] = {
        {"activepicturescount=2\r\n0=tiny.bmp\r\n1=over.bmp\r\n", {"Active picture 1", "over.bmp", onePicture}},
        {"picture=full.bmp\r\nmask=full.bmp\r\nactivepicturescount=1\r\n0=tiny.bmp\r\n",
         {"Active picture 0", "tiny.bmp", all}},
        {"mask=unsized.bmp\r\n", {"Mask", "unsized.bmp", onePicture}},
    };
    for (const auto& p : packs) {
        SCOPED_TRACE(p.pictures);
        TqlCompressedStoredSkin skin(nullptr);
        try {
            skin.LoadFromSkinIni(folder.Write("skin.ini", sections + p.pictures));
            ADD_FAILURE() << "packed";
        } catch (const EqlSkinError& e) {
            for (const std::string& said : p.said) EXPECT_THAT(e.Message, HasSubstr(said));
        }
        EXPECT_TRUE(skin.IsEmpty());
    }
}

// The bytes a stored skin may inflate to hold every skin within the pixel
// bounds, even when every pixel takes four bytes.
TEST(StoredSkin, SkinsWithinThePixelBoundsAreNotRefusedForTheirBytes) {
    {
        TqlSkinContainer c;
        c.Picture = TBitmap(4096, int(kMaxSkinPicturePixels / 4096));
        c.Picture.SetPixelFormat(TPixelFormat::pf32bit);
        c.Picture.SetPixel(4095, 4095, RGB(1, 2, 3));
        TqlCompressedStoredSkin skin(nullptr);
        skin.LoadFromParts(c);
        c = TqlSkinContainer();
        const TqlSkinContainer back = Inflated(skin);
        EXPECT_EQ(back.Picture.PixelFormat(), TPixelFormat::pf32bit);
        EXPECT_EQ(back.Picture.Height(), 4096);
        EXPECT_EQ(back.Picture.Pixel(4095, 4095), RGB(1, 2, 3));
    }
    // Three 24-bit pictures of 24 Mi pixels in all.
    TqlCompressedStoredSkin skin(nullptr);
    const std::string third = PlainBmp(4096, 2048, 24);
    StoreContainerBytes(skin, Int32Bytes(3) + "\0"s + third + "\1\0"s + third + Int32Bytes(1) + third + "ini");
    const TqlSkinContainer back = Inflated(skin);
    EXPECT_EQ(back.Mask.Height(), 2048);
    ASSERT_EQ(back.ActivePictures.size(), 1u);
    EXPECT_EQ(back.ActivePictures[0]->Width(), 4096);
    EXPECT_EQ(back.IniText, "ini");
}

// The INI text takes no more bytes than its bound either: a text of one byte
// more is refused by the reader and by the packer.
TEST(StoredSkin, AnIniTextBeyondTheByteBoundIsRefused) {
    const std::string head = Int32Bytes(3) + "\1\1\1"s + Int32Bytes(0);
    std::string text(size_t(kMaxSkinIniBytes), 'k');
    {
        TMemoryStream s(head + text);
        TqlSkinContainer atBound;
        atBound.ReadFrom(s);
        EXPECT_EQ(atBound.IniText.size(), text.size());
    }
    text += 'k';
    {
        TMemoryStream s(head + text);
        TqlSkinContainer c;
        try {
            c.ReadFrom(s);
            ADD_FAILURE() << "loaded";
        } catch (const EqlSkinError& e) {
            EXPECT_THAT(e.Message, testing::HasSubstr(std::to_string(kMaxSkinIniBytes)));
        }
    }
    TqlSkinContainer large;
    large.IniText = std::move(text);
    TqlCompressedStoredSkin skin(nullptr);
    EXPECT_THROW(skin.LoadFromParts(large), EqlSkinError);
    EXPECT_TRUE(skin.IsEmpty());
}
