#include "skin/core/StoredSkin.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/Classes.h"
#include "platform/core/IniFiles.h"
#include "skin/core/SkinIniValues.h"
#include "skin/core/ZlibStreams.h"

namespace {

constexpr int32_t kVersion = 3;
constexpr int64_t kFileHeader = 14;

bool VersionAccepted(int32_t version) { return version <= kVersion; }

[[noreturn]] void InvalidBitmap(const std::string& name) {
    throw EqlSkinError(name + ": Bitmap image is not valid");
}

// What the headers of the BMP file at the stream's position say; the stream
// stays where it is.
TBmpHeader PeekBmp(TStream& s, const std::string& name) {
    const std::optional<TBmpHeader> header = PeekBmpHeader(s);
    if (!header || header->Width < 0) InvalidBitmap(name);
    return *header;
}

// A side of 0 and nothing past the headers: the picture an empty bitmap is written as.
bool IsEmptyBmp(const TBmpHeader& header) {
    return (header.Width == 0 || header.Height == 0) && header.FileSize == kFileHeader + header.InfoSize;
}

// How the pictures of a container are named in its refusals, by their place.
const char* const kFlaggedNames[] = {"Main picture", "Inactive picture", "Mask", "Version 2's first extra picture",
                                     "Version 2's second extra picture"};

std::string ActiveName(int64_t index) { return "Active picture " + IntToStr(index); }

// Counts the pixels a skin decodes against the bounds of a stored skin; a
// picture that passes one is refused by the name it is given.
class TPixelBudget {
public:
    void Take(const std::string& name, int64_t width, int64_t height) {
        const int64_t pixels = width * height;
        const std::string size = IntToStr(width) + " x " + IntToStr(height);
        if (pixels > kMaxSkinPicturePixels)
            throw EqlSkinError(name + " has " + size + " pixels, more than the " + IntToStr(kMaxSkinPicturePixels) +
                               " a skin picture may have");
        FTotal += pixels;
        if (FTotal > kMaxSkinPixels)
            throw EqlSkinError(name + " of " + size + " pixels brings the skin's pictures to " + IntToStr(FTotal) +
                               " pixels, more than the " + IntToStr(kMaxSkinPixels) + " a skin may have");
    }

private:
    int64_t FTotal = 0;
};

void CheckPictureCount(int64_t count) {
    if (count > kMaxActivePictures)
        throw EqlSkinError("A skin of " + IntToStr(count) + " active pictures has more than the " +
                           IntToStr(kMaxActivePictures) + " a skin may have");
}

// The BMP file at the stream's position, its pixels taken from the budget:
// decoded into picture, or only passed over when picture is null.
void TakeBmp(TStream& s, const std::string& name, TBitmap* picture, TPixelBudget& budget) {
    const TBmpHeader header = PeekBmp(s, name);
    budget.Take(name, header.Width, header.Height);
    if (!picture || IsEmptyBmp(header)) {
        s.Seek(header.FileSize, TSeekOrigin::soCurrent);
        if (picture) *picture = TBitmap();
        return;
    }
    try {
        picture->LoadFromStream(s);
    } catch (const Exception& e) {
        throw EqlSkinError(name + ": " + e.Message);
    }
}

void TakeFlaggedBmp(TStream& s, int slot, TBitmap* picture, TPixelBudget& budget) {
    uint8_t flag = 0;
    s.ReadBuffer(&flag, 1);
    if (flag == 0)
        TakeBmp(s, kFlaggedNames[slot], picture, budget);
    else if (picture)
        *picture = TBitmap();
}

// Walks the pictures of a container from its version to its INI text,
// decoding them into container, or with a null container only checking them.
void TakePictures(TStream& s, TqlSkinContainer* container) {
    const int32_t version = s.ReadInt32();
    if (!VersionAccepted(version)) throw EqlSkinError("Unsupported skin version " + IntToStr(version));
    TPixelBudget budget;
    TakeFlaggedBmp(s, 0, container ? &container->Picture : nullptr, budget);
    TakeFlaggedBmp(s, 1, container ? &container->InActivePicture : nullptr, budget);
    TakeFlaggedBmp(s, 2, container ? &container->Mask : nullptr, budget);
    if (version == 2) {
        TBitmap dropped;
        TakeFlaggedBmp(s, 3, container ? &dropped : nullptr, budget);
        TakeFlaggedBmp(s, 4, container ? &dropped : nullptr, budget);
    }
    // A count below zero has no pictures to read.
    const int32_t count = std::max<int32_t>(s.ReadInt32(), 0);
    CheckPictureCount(count);
    if (container) container->ActivePictures.clear();
    for (int32_t i = 0; i < count; ++i) {
        if (!container) {
            TakeBmp(s, ActiveName(i), nullptr, budget);
            continue;
        }
        container->ActivePictures.push_back(std::make_unique<TBitmap>());
        TakeBmp(s, ActiveName(i), container->ActivePictures.back().get(), budget);
    }
}

// Refuses an INI text of more bytes or lines than a skin may hold, lines
// counted as a string list splits them: CR LF, LF or a lone CR ends a line.
void CheckIniText(std::string_view text) {
    if (int64_t(text.size()) > kMaxSkinIniBytes)
        throw EqlSkinError("The skin's INI text of " + IntToStr(int64_t(text.size())) + " bytes is longer than the " +
                           IntToStr(kMaxSkinIniBytes) + " a skin may have");
    int64_t lines = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++lines;
    }
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') ++lines;
    if (lines > kMaxSkinIniLines)
        throw EqlSkinError("The skin's INI text of " + IntToStr(lines) + " lines is longer than the " +
                           IntToStr(kMaxSkinIniLines) + " a skin may have");
}

// Reads a picture file of the skin's folder for the packer, its pixels taken
// from the budget before it is decoded, or after when its file header is
// one the decoder overlooks (a file size that does not fit, say).
void LoadPictureFile(const std::string& fileName, const std::string& name, TBitmap& picture, TPixelBudget& budget) {
    std::optional<TBmpHeader> header;
    {
        TFileStream file(fileName, TFileMode::fmOpenRead);
        header = PeekBmpHeader(file);
    }
    const bool counted = header && header->Width >= 0;
    if (counted) budget.Take(name, header->Width, header->Height);
    try {
        picture.LoadFromFile(fileName);
    } catch (const EFOpenError&) {
        throw;
    } catch (const Exception& e) {
        throw EqlSkinError(name + ": " + e.Message);
    }
    if (!counted) budget.Take(name, picture.Width(), picture.Height());
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
    CheckIniText(ini);
    s.SetPosition(start);
    TakePictures(s, this);
    s.SetPosition(s.Size());
    IniText = std::move(ini);
}

void TqlSkinContainer::WriteTo(TStream& s) const {
    TPixelBudget budget;
    const TBitmap* flagged[] = {&Picture, &InActivePicture, &Mask};
    for (int i = 0; i < 3; ++i) budget.Take(kFlaggedNames[i], flagged[i]->Width(), flagged[i]->Height());
    CheckPictureCount(static_cast<int64_t>(ActivePictures.size()));
    for (size_t i = 0; i < ActivePictures.size(); ++i)
        budget.Take(ActiveName(int64_t(i)), ActivePictures[i]->Width(), ActivePictures[i]->Height());
    CheckIniText(IniText);

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
    DecompressStream(dest, source, kMaxSkinInflatedSize);
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
    if (inflated.Size() > kMaxSkinInflatedSize)
        throw EqlSkinError("The skin takes " + IntToStr(inflated.Size()) + " bytes, more than the " +
                           IntToStr(kMaxSkinInflatedSize) + " a stored skin may hold");
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
    TPixelBudget budget;
    auto load = [&](const char* name, const std::string& file, TBitmap& picture) {
        if (!file.empty()) LoadPictureFile(folder + file, name + (" \"" + file + "\""), picture, budget);
    };
    TqlSkinContainer container;
    load(kFlaggedNames[0], ini.ReadString("PICTURES", "picture", ""), container.Picture);
    load(kFlaggedNames[1], ini.ReadString("PICTURES", "inactivepicture", ""), container.InActivePicture);
    load(kFlaggedNames[2], ini.ReadString("PICTURES", "mask", ""), container.Mask);
    // A picture's place in the list is the number descriptors know it by:
    // one without a name can be neither skipped nor left out.
    CheckPictureCount(ini.ReadInteger("PICTURES", "activepicturescount", 0));
    TStringList names;
    ReadStringListKey(ini, "PICTURES", "activepictures", names);
    for (int i = 0; i < names.Count(); ++i) {
        if (names[i].empty()) throw EqlSkinError(ActiveName(i) + " has no file name");
        container.ActivePictures.push_back(std::make_unique<TBitmap>());
        LoadPictureFile(folder + names[i], ActiveName(i) + " \"" + names[i] + "\"", *container.ActivePictures.back(),
                        budget);
    }
    container.IniText = lines.Text();
    LoadFromParts(container);
}
