#pragma once
// Sets the C library's numeric locale to one whose decimal point is a comma,
// as a user's environment may (Qt applies the environment's locale at start),
// and puts "C" back with the object.
//
// de_DE.UTF-8 when the machine has it; otherwise a numeric locale of the
// test's own, written in glibc's binary form into a private folder that
// LOCPATH names, so the test needs no locale installed.

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/support/TempFolder.h"

class DecimalCommaLocale {
public:
    DecimalCommaLocale() {
        const char* oldPath = std::getenv("LOCPATH");
        if (oldPath) FOldLocPath = oldPath;
        FHadLocPath = oldPath != nullptr;
        if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
            FActive = true;
            return;
        }
        std::filesystem::create_directories(FFolder.Path() + "/comma");
        FFolder.Write("comma/LC_NUMERIC", NumericCategory());
        ::setenv("LOCPATH", FFolder.Path().c_str(), 1);
        FActive = std::setlocale(LC_NUMERIC, "comma") != nullptr;
    }
    ~DecimalCommaLocale() {
        std::setlocale(LC_NUMERIC, "C");
        if (FHadLocPath)
            ::setenv("LOCPATH", FOldLocPath.c_str(), 1);
        else
            ::unsetenv("LOCPATH");
    }
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

    // True when the C library now writes a decimal comma.
    bool Active() const { return FActive && std::localeconv()->decimal_point == std::string(","); }

private:
    // The LC_NUMERIC file localedef writes for decimal_point ",", thousands_sep
    // "." and grouping 3;3: magic, item count, item offsets, then the items.
    static std::string NumericCategory() {
        std::string bytes;
        auto word = [&](uint32_t v) {
            for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        };
        word(0x20031115u ^ LC_NUMERIC);
        word(6);
        for (uint32_t offset : {32u, 34u, 36u, 40u, 44u, 48u}) word(offset);
        bytes += std::string(",\0.\0\3\3\0\0", 8);
        word(',');
        word('.');
        bytes += std::string("ANSI_X3.4-1968\0", 15);
        return bytes;
    }

    TempFolder FFolder;
    std::string FOldLocPath;
    bool FHadLocPath = false;
    bool FActive = false;
};
