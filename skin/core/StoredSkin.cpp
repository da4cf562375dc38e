#include "skin/core/StoredSkin.h"

#include <algorithm>

#include "platform/core/Classes.h"
#include "platform/core/IniFiles.h"
#include "skin/core/SkinIniValues.h"
#include "skin/core/ZlibStreams.h"

namespace {

constexpr int32_t kVersion = 3;
// The smallest BMP file: its two headers.
constexpr int64_t kMinBmpSize = 54;

bool VersionAccepted(int32_t version) { return version >= 1 && version <= kVersion; }

void ReadFlaggedPicture(TStream& s, TBitmap& picture) {
    uint8_t flag = 0;
    s.ReadBuffer(&flag, 1);
    if (flag == 0)
        picture.LoadFromStream(s);
    else
        picture = TBitmap();
}

void WriteFlaggedPicture(TStream& s, const TBitmap& picture) {
    const uint8_t flag = picture.Empty() ? 1 : 0;
    s.WriteBuffer(&flag, 1);
    if (flag == 0) picture.SaveToStream(s);
}

}  // namespace

void TqlSkinContainer::ReadFrom(TStream& s) {
    const int32_t version = s.ReadInt32();
    if (!VersionAccepted(version)) throw EqlSkinError("Unsupported skin version " + IntToStr(version));
    ReadFlaggedPicture(s, Picture);
    ReadFlaggedPicture(s, InActivePicture);
    ReadFlaggedPicture(s, Mask);
    if (version == 2) {
        TBitmap dropped;
        ReadFlaggedPicture(s, dropped);
        ReadFlaggedPicture(s, dropped);
    }
    // A count below zero has no pictures to read.
    const int32_t count = std::max<int32_t>(s.ReadInt32(), 0);
    const int64_t remaining = s.Size() - s.Position();
    if (count > remaining / kMinBmpSize)
        throw EqlSkinError("Skin picture count " + IntToStr(count) + " does not fit the skin");
    ActivePictures.clear();
    for (int32_t i = 0; i < count; ++i) {
        auto picture = std::make_unique<TBitmap>();
        picture->LoadFromStream(s);
        ActivePictures.push_back(std::move(picture));
    }
    IniText.assign(static_cast<size_t>(s.Size() - s.Position()), '\0');
    s.ReadBuffer(IniText.data(), static_cast<int64_t>(IniText.size()));
}

void TqlSkinContainer::WriteTo(TStream& s) const {
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
    if (size <= 0 || size > stream.Size() - stream.Position())
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
    TStringList names;
    ReadStringListKey(ini, "PICTURES", "activepictures", names);
    for (const std::string& name : names.Items()) {
        container.ActivePictures.push_back(std::make_unique<TBitmap>());
        container.ActivePictures.back()->LoadFromFile(folder + name);
    }
    container.IniText = lines.Text();
    LoadFromParts(container);
}
