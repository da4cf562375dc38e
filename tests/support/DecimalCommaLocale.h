#pragma once
// Sets the C library's numeric locale to one with a decimal comma, as a user's
// environment may (Qt applies it at start), and puts "C" back with the object.
// de_DE.UTF-8 if installed, else one written in glibc's binary form into a
// folder LOCPATH names, so the test needs no locale installed.

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "tests/support/TempFolder.h"

class DecimalCommaLocale {
public:
    DecimalCommaLocale() {
        if (const char* oldPath = std::getenv("LOCPATH")) FOldLocPath = oldPath;
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
        if (FOldLocPath)
            ::setenv("LOCPATH", FOldLocPath->c_str(), 1);
        else
            ::unsetenv("LOCPATH");
    }
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

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
    std::optional<std::string> FOldLocPath;
    bool FActive = false;
};
