// The one crossing of text between the program's 8-bit strings and Qt.

#include <QString>
#include <cstring>
#include <iconv.h>

#include "platform/gui/Controls.h"

namespace {

bool IsValidUtf8(const std::string& s) {
    size_t i = 0, n = s.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t extra;
        if (c < 0x80)
            extra = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            extra = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            extra = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            extra = 3;
        else
            return false;
        if (n - i <= extra) return false;
        for (size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

QString FromCodePage936(const std::string& s) {
    iconv_t cd = iconv_open("UTF-8", "CP936");
    if (cd == reinterpret_cast<iconv_t>(-1)) return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
    std::string out(s.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(s.data());
    size_t inLeft = s.size();
    char* dst = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1)) break;
        // A byte that is not code page 936 shows as the replacement character.
        if (outLeft < 3) break;
        std::memcpy(dst, "\xEF\xBF\xBD", 3);
        dst += 3;
        outLeft -= 3;
        ++in;
        --inLeft;
    }
    iconv_close(cd);
    return QString::fromUtf8(out.data(), static_cast<qsizetype>(dst - out.data()));
}

}  // namespace

QString ToQString(const std::string& text) {
    if (IsValidUtf8(text)) return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return FromCodePage936(text);
}

std::string FromQString(const QString& text) { return text.toUtf8().toStdString(); }
