#pragma once
// The stored skin: a skin's pictures and INI text in one zlib-compressed
// container, held in memory, read from and written to packed skin files.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Streams.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "skin/core/SkinIniValues.h"

// A stored skin or packed skin that cannot be read.
class EqlSkinError : public Exception {
    using Exception::Exception;
};

// What a stored skin may decode, far above any real skin (the program's own
// has 0.2 million pixels in seven pictures, a full-screen 4K picture has 8.3
// million) and low enough that a small hostile skin cannot take gigabytes:
// pixels of one picture, of all pictures together, and active pictures. A
// picture may have any sides within them, such as a long animation strip.
constexpr int64_t kMaxSkinPicturePixels = int64_t(16) << 20;
constexpr int64_t kMaxSkinPixels = int64_t(32) << 20;
constexpr int kMaxActivePictures = kMaxStringListCount;
// Lines of a stored skin's INI text: every line becomes a string and most an
// INI entry or a descriptor, so a few kilobytes of zlib holding millions of
// short lines would take gigabytes. The program's own skin has 1,600 lines.
constexpr int64_t kMaxSkinIniLines = int64_t(1) << 17;
// Bytes of the INI text; the program's own has 33 kB.
constexpr int64_t kMaxSkinIniBytes = int64_t(64) << 20;
// What the inflated container may take, which bounds inflating before any
// picture is looked at. It holds every skin within the bounds above whose BMP
// files carry at most kMaxSkinBmpHeaderBytes of headers, masks and palette
// beside their rows: a row takes at most four bytes a pixel, and there are
// up to five flagged pictures (two of them only in version 2) besides the
// active ones.
constexpr int64_t kMaxSkinBmpHeaderBytes = 2048;
constexpr int64_t kMaxSkinInflatedSize =
    4 * kMaxSkinPixels + (kMaxActivePictures + 5) * kMaxSkinBmpHeaderBytes + kMaxSkinIniBytes + 16;

// The inflated container. All integers are little-endian signed 32-bit:
// version; for the main, inactive and mask pictures a flag byte (0: a BMP
// file follows) and the BMP; on version 2 two more such pairs, read and
// dropped; the count of active pictures and that many BMP files; the rest is
// the INI text. An empty active picture is a BMP file of bare headers with a
// side of 0.
struct TqlSkinContainer {
    TBitmap Picture, InActivePicture, Mask;
    std::vector<std::unique_ptr<TBitmap>> ActivePictures;
    std::string IniText;

    // Reads a whole container from the stream's position. A version above 3,
    // pictures or an INI text beyond the bounds above, a truncated or invalid
    // picture raise EqlSkinError, naming the picture and the bound it passed;
    // the sizes of all pictures and the INI text are checked before any
    // picture is decoded.
    void ReadFrom(TStream& stream);
    // Writes version 3; an empty picture is written as flag 1 and nothing
    // else, or as bare headers in the active list. Pictures or an INI text
    // beyond the bounds raise EqlSkinError before anything is written.
    void WriteTo(TStream& stream) const;
};

class TqlCompressedStoredSkin : public TComponent {
public:
    explicit TqlCompressedStoredSkin(TComponent* owner);

    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& value) { FFileName = value; }
    const std::string& CompressedFileName() const { return FCompressedFileName; }
    void SetCompressedFileName(const std::string& value) { FCompressedFileName = value; }
    std::string Description;

    // The zlib bytes of the container; empty when no skin is held.
    TMemoryStream CompressedStream;
    bool IsEmpty() const { return CompressedStream.Bytes().empty(); }
    // Replaces the zlib bytes, as the form's "CompressedData" property gives them.
    void SetCompressedData(std::string_view zlibBytes);
    // Inflates the container into dest (at most kMaxSkinInflatedSize bytes).
    void DecompressTo(TStream& dest) const;

    // The packed envelope: Int32 version (up to 3), Int32 size, size zlib
    // bytes; size 0 is an empty stored skin. A version above 3 or a size that
    // does not fit leaves the stored skin empty and raises EqlSkinError.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromPackedFile(const std::string& fileName);
    // Written beside the target and renamed over it.
    void SavePackedFile(const std::string& fileName) const;

    // Builds the container from a skin INI file and the bitmaps it names
    // beside it. An INI without the five skin sections changes nothing; an
    // active picture without a file name raises EqlSkinError, so no picture
    // ever changes its number; a picture beyond the bounds raises it, naming
    // the file, before the file is decoded; the old skin is replaced only
    // once the new one is complete.
    void LoadFromSkinIni(const std::string& fileName);
    // The same from an INI text and pictures already in memory; a container
    // that would inflate beyond what a reader takes raises EqlSkinError.
    void LoadFromParts(const TqlSkinContainer& container);

private:
    std::string FFileName;
    std::string FCompressedFileName;
};
