#include "skin/core/StoredSkin.h"

#include <algorithm>
#include <string_view>

#include "platform/core/Classes.h"
#include "platform/core/IniFiles.h"
#include "skin/core/SkinIniValues.h"
#include "skin/core/ZlibStreams.h"

namespace {

constexpr int32_t kVersion = 3;
constexpr int64_t kFileHeader = 14;

bool VersionAccepted(int32_t version) { return version <= kVersion; }

[[noreturn]] void InvalidBitmap() { throw EqlSkinError("Bitmap image is not valid"); }

// What the headers of the BMP file at the stream's position say; the stream
// stays where it is.
TBmpHeader PeekBmp(TStream& s) {
    const std::optional<TBmpHeader> header = PeekBmpHeader(s);
    if (!header || header->Width < 0) InvalidBitmap();
    return *header;
}

// A side of 0 and nothing past the headers: the picture an empty bitmap is written as.
bool IsEmptyBmp(const TBmpHeader& header) {
    return (header.Width == 0 || header.Height == 0) && header.FileSize == kFileHeader + header.InfoSize;
}

// Counts the pixels a skin decodes against the bounds of a stored skin.
class TPixelBudget {
public:
    void Take(int64_t width, int64_t height) {
        const int64_t pixels = width * height;
        if (pixels > kMaxSkinPicturePixels)
            throw EqlSkinError("A skin picture of " + IntToStr(width) + " x " + IntToStr(height) +
                               " pixels is larger than a skin may hold");
        FTotal += pixels;
        if (FTotal > kMaxSkinPixels) throw EqlSkinError("The skin's pictures have more pixels than a skin may hold");
    }

private:
    int64_t FTotal = 0;
};

void CheckPictureCount(int64_t count) {
    if (count > kMaxActivePictures)
        throw EqlSkinError("A skin of " + IntToStr(count) + " active pictures has more than a skin may hold");
}

// The BMP file at the stream's position, its pixels taken from the budget:
// decoded into picture, or only passed over when picture is null.
void TakeBmp(TStream& s, TBitmap* picture, TPixelBudget& budget) {
    const TBmpHeader header = PeekBmp(s);
    budget.Take(header.Width, header.Height);
    if (!picture || IsEmptyBmp(header)) {
        s.Seek(header.FileSize, TSeekOrigin::soCurrent);
        if (picture) *picture = TBitmap();
    } else {
        picture->LoadFromStream(s);
    }
}

void TakeFlaggedBmp(TStream& s, TBitmap* picture, TPixelBudget& budget) {
    uint8_t flag = 0;
    s.ReadBuffer(&flag, 1);
    if (flag == 0)
        TakeBmp(s, picture, budget);
    else if (picture)
        *picture = TBitmap();
}

// Walks the pictures of a container from its version to its INI text,
// decoding them into container, or with a null container only checking them.
void TakePictures(TStream& s, TqlSkinContainer* container) {
    const int32_t version = s.ReadInt32();
    if (!VersionAccepted(version)) throw EqlSkinError("Unsupported skin version " + IntToStr(version));
    TPixelBudget budget;
    TakeFlaggedBmp(s, container ? &container->Picture : nullptr, budget);
    TakeFlaggedBmp(s, container ? &container->InActivePicture : nullptr, budget);
    TakeFlaggedBmp(s, container ? &container->Mask : nullptr, budget);
    if (version == 2) {
        TBitmap dropped;
        TakeFlaggedBmp(s, container ? &dropped : nullptr, budget);
        TakeFlaggedBmp(s, container ? &dropped : nullptr, budget);
    }
    // A count below zero has no pictures to read.
    const int32_t count = std::max<int32_t>(s.ReadInt32(), 0);
    CheckPictureCount(count);
    if (container) container->ActivePictures.clear();
    for (int32_t i = 0; i < count; ++i) {
        if (!container) {
            TakeBmp(s, nullptr, budget);
            continue;
        }
        container->ActivePictures.push_back(std::make_unique<TBitmap>());
        TakeBmp(s, container->ActivePictures.back().get(), budget);
    }
}

// Refuses an INI text of more lines than a skin may hold, counted as a
// string list splits them: CR LF, LF or a lone CR ends a line.
void CheckIniLines(std::string_view text) {
    int64_t lines = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++lines;
    }
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') ++lines;
    if (lines > kMaxSkinIniLines)
        throw EqlSkinError("The skin's INI text of " + IntToStr(lines) + " lines is longer than a skin may hold");
}

void WriteFlaggedPicture(TStream& s, const TBitmap& picture) {
    const uint8_t flag = picture.Empty() ? 1 : 0;
    s.WriteBuffer(&flag, 1);
    if (flag == 0) picture.SaveToStream(s);
}

}  // namespace

void TqlSkinContainer::ReadFrom(TStream& s) {
    // Every picture's size is known before the first is decoded.
    const int64_t start = s.Position();
    TakePictures(s, nullptr);
    std::string ini(static_cast<size_t>(s.Size() - s.Position()), '\0');
    s.ReadBuffer(ini.data(), static_cast<int64_t>(ini.size()));
    CheckIniLines(ini);
    s.SetPosition(start);
    TakePictures(s, this);
    s.SetPosition(s.Size());
    IniText = std::move(ini);
}

void TqlSkinContainer::WriteTo(TStream& s) const {
    TPixelBudget budget;
    for (const TBitmap* picture : {&Picture, &InActivePicture, &Mask}) budget.Take(picture->Width(), picture->Height());
    CheckPictureCount(static_cast<int64_t>(ActivePictures.size()));
    for (const auto& picture : ActivePictures) budget.Take(picture->Width(), picture->Height());
    CheckIniLines(IniText);

    s.WriteInt32(kVersion);
    WriteFlaggedPicture(s, Picture);
    WriteFlaggedPicture(s, InActivePicture);
    WriteFlaggedPicture(s, Mask);
    s.WriteInt32(static_cast<int32_t>(ActivePictures.size()));
    for (const auto& picture : ActivePictures) picture->SaveToStream(s);
    s.WriteBuffer(IniText);
}

TqlCompressedStoredSkin::TqlCompressedStoredSkin(TComponent* owner) : TComponent(owner) {}

void TqlCompressedStoredSkin::SetCompressedData(std::string_view zlibBytes) {
    CompressedStream.SetBytes(std::string(zlibBytes));
}

void TqlCompressedStoredSkin::DecompressTo(TStream& dest) const {
    TMemoryStream source(CompressedStream.Bytes());
    DecompressStream(dest, source);
}

void TqlCompressedStoredSkin::LoadFromStream(TStream& stream) {
    CompressedStream.Clear();
    stream.SetPosition(0);
    const int32_t version = stream.ReadInt32();
    if (!VersionAccepted(version)) throw EqlSkinError("Unsupported packed skin version " + IntToStr(version));
    const int32_t size = stream.ReadInt32();
    if (size == 0) return;  // an empty stored skin, as SaveToStream writes one
    if (size < 0 || size > stream.Size() - stream.Position())
        throw EqlSkinError("Packed skin size " + IntToStr(size) + " does not fit its data");
    std::string bytes(static_cast<size_t>(size), '\0');
    stream.ReadBuffer(bytes.data(), size);
    SetCompressedData(bytes);
}

void TqlCompressedStoredSkin::SaveToStream(TStream& stream) const {
    stream.WriteInt32(kVersion);
    stream.WriteInt32(static_cast<int32_t>(CompressedStream.Bytes().size()));
    stream.WriteBuffer(CompressedStream.Bytes());
}

void TqlCompressedStoredSkin::LoadFromPackedFile(const std::string& fileName) {
    TFileStream file(fileName, TFileMode::fmOpenRead);
    LoadFromStream(file);
}

void TqlCompressedStoredSkin::SavePackedFile(const std::string& fileName) const {
    TMemoryStream packed;
    SaveToStream(packed);
    WriteFileReplacing(fileName, packed.Bytes());
}

void TqlCompressedStoredSkin::LoadFromParts(const TqlSkinContainer& container) {
    TMemoryStream inflated, deflated;
    container.WriteTo(inflated);
    if (inflated.Size() > kMaxInflatedSize)
        throw EqlSkinError("The skin takes " + IntToStr(inflated.Size()) + " bytes, more than a stored skin may hold");
    CompressStream(inflated, deflated);
    CompressedStream.SetBytes(deflated.Bytes());
}

void TqlCompressedStoredSkin::LoadFromSkinIni(const std::string& fileName) {
    TStringList lines;
    lines.LoadFromFile(fileName);
    TMemIniFile ini;
    ini.SetStrings(lines);
    if (!IsValidSkinIni(ini)) return;

    const std::string folder = ExtractFilePath(fileName);
    auto load = [&](const std::string& name, TBitmap& picture) {
        if (!name.empty()) picture.LoadFromFile(folder + name);
    };
    TqlSkinContainer container;
    load(ini.ReadString("PICTURES", "picture", ""), container.Picture);
    load(ini.ReadString("PICTURES", "inactivepicture", ""), container.InActivePicture);
    load(ini.ReadString("PICTURES", "mask", ""), container.Mask);
    // A picture's place in the list is the number descriptors know it by:
    // one without a name can be neither skipped nor left out.
    CheckPictureCount(ini.ReadInteger("PICTURES", "activepicturescount", 0));
    TStringList names;
    ReadStringListKey(ini, "PICTURES", "activepictures", names);
    for (int i = 0; i < names.Count(); ++i) {
        if (names[i].empty()) throw EqlSkinError("Active picture " + IntToStr(i) + " has no file name");
        container.ActivePictures.push_back(std::make_unique<TBitmap>());
        container.ActivePictures.back()->LoadFromFile(folder + names[i]);
    }
    container.IniText = lines.Text();
    LoadFromParts(container);
}
