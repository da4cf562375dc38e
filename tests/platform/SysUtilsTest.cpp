#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/Messages.h"
#include "platform/core/SysUtils.h"
#include "tests/support/DecimalCommaLocale.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"

using namespace std::string_literals;

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

TEST(SysUtils, TrimCutsCodesUpTo32AtTheEndsOnly) {
    struct Case {
        std::string in, both, left, right;
    };
    const Case cases[] = {
        {"", "", "", ""},
        {" \t\r\n", "", "", ""},
        {"\x01\t a b \r\n\x1f", "a b", "a b \r\n\x1f", "\x01\t a b"},
        {"\0a\0"s, "a", "a\0"s, "\0a"s},
        {"!x!", "!x!", "!x!", "!x!"},
        {"\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0"},
        {"\x7F" "a", "\x7F" "a", "\x7F" "a", "\x7F" "a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("\"" + c.in + "\"");
        EXPECT_EQ(Trim(c.in), c.both);
        EXPECT_EQ(TrimLeft(c.in), c.left);
        EXPECT_EQ(TrimRight(c.in), c.right);
    }
}

TEST(SysUtils, CaseMappingTouchesAsciiLettersOnly) {
    EXPECT_EQ(LowerCase("AZaz@[`{09\xC9\xE9"), "azaz@[`{09\xC9\xE9");
    EXPECT_EQ(UpperCase("AZaz@[`{09\xC9\xE9"), "AZAZ@[`{09\xC9\xE9");
}

TEST(SysUtils, StrToIntAcceptsSignedDecimalAndRejectsTheRest) {
    struct Good {
        const char* text;
        int value;
    };
    const Good good[] = {
        {"0", 0}, {"123", 123}, {"-42", -42}, {"+7", 7}, {"007", 7}, {" 12 ", 12},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
    };
    for (const Good& g : good) {
        SCOPED_TRACE(g.text);
        EXPECT_EQ(StrToInt(g.text), g.value);
        EXPECT_EQ(StrToIntDef(g.text, 99), g.value);
    }
    const char* bad[] = {"", " ", "-", "+", "12a", "a12", "1 2", "1.5", "--5", "+-5", "-+5", "$-5", "0x-5",
                         "2147483648", "-2147483649", "99999999999999999999", "1e3"};
    for (const char* text : bad) {
        SCOPED_TRACE(std::string("\"") + text + "\"");
        EXPECT_THROW(StrToInt(text), EConvertError);
        EXPECT_EQ(StrToIntDef(text, 99), 99);
        int value = 5;
        EXPECT_FALSE(TryStrToInt(text, value));
    }
}

TEST(SysUtils, ExtractFileNameCutsAtTheLastSlashOnly) {
    struct Case {
        const char* path;
        const char* name;
        const char* folder;
    };
    // A colon and a backslash are characters of the name, as the folder listing shows them.
    const Case cases[] = {
        {"/a/b/c.txt", "c.txt", "/a/b/"},
        {"/corpus/ch:1.txt", "ch:1.txt", "/corpus/"},
        {"/corpus/a\\b.txt", "a\\b.txt", "/corpus/"},
        {"c:f.txt", "c:f.txt", ""},
        {"dir/sub\\x:y", "sub\\x:y", "dir/"},
        {"name.txt", "name.txt", ""},
        {"dir/", "", "dir/"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ExtractFileName(c.path), c.name);
        EXPECT_EQ(ExtractFilePath(c.path), c.folder);
    }
}

TEST(SysUtils, StringReplaceGoesLeftToRightWithoutRescanning) {
    struct Case {
        const char* s;
        const char* from;
        const char* to;
        unsigned flags;
        const char* result;
    };
    const Case cases[] = {
        {"aaa", "aa", "b", rfReplaceAll, "ba"},
        {"aaaa", "aa", "a", rfReplaceAll, "aa"},
        {"abc", "b", "bb", rfReplaceAll, "abbc"},
        {"a.a.a", ".", "", rfNone, "aa.a"},
        {"a.a.a", ".", "", rfReplaceAll, "aaa"},
        {"aXa", "x", "-", rfReplaceAll, "aXa"},
        {"xAxa", "a", "y", rfReplaceAll | rfIgnoreCase, "xyxy"},
        {"AbAB", "ab", "[ab]", rfReplaceAll | rfIgnoreCase, "[ab][ab]"},
        {"AbAB", "ab", "-", rfIgnoreCase, "-AB"},
        {"\xC9\xE9", "\xE9", "e", rfReplaceAll | rfIgnoreCase, "\xC9" "e"},
        {"", "a", "b", rfReplaceAll, ""},
        {"ab", "abc", "x", rfReplaceAll, "ab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.s) + " / " + c.from + " -> " + c.to);
        EXPECT_EQ(StringReplace(c.s, c.from, c.to, c.flags), c.result);
    }
}

// Numbers read the same under a locale whose decimal point is a comma, and
// round as the C library's "%.*f" and "%.15g" do under "C".
TEST(SysUtils, NumbersAreWrittenWithAPointWhateverTheLocale) {
    const long double values[] = {0.0L, 0.121L, -0.121L, 0.00005L, 2.5L, 12345.67895L, 1e30L, -3.99995L,
                                  1.0L / 3.0L};
    std::vector<std::string> fixed, general;
    for (long double v : values) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.4Lf", v);
        fixed.push_back(buffer);
        std::snprintf(buffer, sizeof buffer, "%.15g", static_cast<double>(v));
        general.push_back(buffer);
    }
    DecimalCommaLocale comma;
    ASSERT_TRUE(comma.Active());
    for (size_t i = 0; i < std::size(values); ++i) {
        SCOPED_TRACE(fixed[i]);
        EXPECT_EQ(FormatFixed(values[i], 4), fixed[i]);
        EXPECT_EQ(FloatToStr(static_cast<double>(values[i])), general[i]);
    }
    EXPECT_EQ(FormatFixed(2.5L, 0), "2");
    EXPECT_EQ(FormatFixed(1.25L, -1), "1");
    EXPECT_EQ(FormatFixed(1e300L, 2).size(), 304u);
}

TEST(SysUtils, ReadFileBytesReturnsTheBytesOrNamesTheMissingFile) {
    TempFolder folder;
    std::string bytes = "a\r\n\0\xFF" "b"s;
    EXPECT_EQ(ReadFileBytes(folder.Write("f.bin", bytes)), bytes);
    EXPECT_EQ(ReadFileBytes(folder.Write("empty.txt", "")), "");

    for (const std::string& path : {folder.Path() + "/missing-corpus.txt", folder.Path()}) {
        SCOPED_TRACE(path);
        try {
            ReadFileBytes(path);
            ADD_FAILURE() << "no error raised";
        } catch (const EFOpenError& e) {
            EXPECT_NE(e.Message.find(path), std::string::npos) << e.Message;
        }
    }
}

TEST(SysUtils, ComparisonsOrderByBytesByFoldedBytesOrLikeADictionary) {
    struct Case {
        const char* a;
        const char* b;
        int str, text, ansiStr, ansiText;  // expected signs
    };
    const Case cases[] = {
        {"", "", 0, 0, 0, 0},
        {"abc", "abc", 0, 0, 0, 0},
        {"abc", "ABC", 1, 0, -1, 0},
        {"ab", "abc", -1, -1, -1, -1},
        {"a", "B", 1, -1, -1, -1},
        {"_a", "B", 1, -1, -1, -1},
        {"a9", "a_", -1, -1, 1, 1},
        {"10", "9", -1, -1, -1, -1},
        {"Ab", "aB", -1, 0, 1, 0},
        {"\xE9", "\xC9", 1, 1, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        EXPECT_EQ(Sign(CompareStr(c.a, c.b)), c.str);
        EXPECT_EQ(Sign(CompareText(c.a, c.b)), c.text);
        EXPECT_EQ(Sign(AnsiCompareStr(c.a, c.b)), c.ansiStr);
        EXPECT_EQ(Sign(AnsiCompareText(c.a, c.b)), c.ansiText);
        EXPECT_EQ(SameText(c.a, c.b), c.text == 0);
        // Every ordering is antisymmetric.
        EXPECT_EQ(Sign(AnsiCompareStr(c.b, c.a)), -c.ansiStr);
        EXPECT_EQ(Sign(CompareText(c.b, c.a)), -c.text);
    }
}

namespace {

// Removes the pump however the test ends, so no other test sees it.
struct PumpGuard {
    ~PumpGuard() { SetMessagePump({}); }
};

}  // namespace

TEST(ProcessMessages, PumpRunsRarelyButAtLeastOncePerInterval) {
    using Clock = std::chrono::steady_clock;
    PumpGuard guard;
    int runs = 0;
    const int intervalMs = 30;
    SetMessagePump([&] { ++runs; }, intervalMs);

    auto start = Clock::now();
    for (int i = 0; i < 1000000; ++i) ProcessMessages();
    double elapsedMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    EXPECT_GE(runs, 1);
    EXPECT_LE(runs, static_cast<int>(elapsedMs / intervalMs) + 1) << "after " << elapsedMs << " ms";

    // Keep calling for several intervals: the pump keeps coming back.
    runs = 0;
    start = Clock::now();
    while (Clock::now() - start < std::chrono::milliseconds(4 * intervalMs)) ProcessMessages();
    elapsedMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    EXPECT_GE(runs, 2);
    EXPECT_LE(runs, static_cast<int>(elapsedMs / intervalMs) + 1);
}

TEST(ProcessMessages, NothingRunsOnceThePumpIsRemoved) {
    PumpGuard guard;
    int runs = 0;
    SetMessagePump([&] { ++runs; }, 0);
    for (int i = 0; i < 1000; ++i) ProcessMessages();
    EXPECT_GE(runs, 1);

    SetMessagePump({});
    runs = 0;
    for (int i = 0; i < 100000; ++i) ProcessMessages();
    EXPECT_EQ(runs, 0);
}

namespace {

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

}  // namespace

TEST(WriteFileReplacing, ReplacesTheWholeFileAndTouchesNoOtherFile) {
    TempFolder folder;
    std::string target = folder.Write("table.xls", "an old and longer content");
    // Files of the user's that a fixed temporary name would take.
    folder.Write("table.xls.part", "mine");
    folder.Write("table.xls.tmp", "mine too");
    WriteFileReplacing(target, "new");
    EXPECT_EQ(ReadFileBytes(target), "new");
    EXPECT_EQ(ReadFileBytes(folder.Path() + "/table.xls.part"), "mine");
    EXPECT_EQ(FolderNames(folder.Path()), (std::vector<std::string>{"table.xls", "table.xls.part", "table.xls.tmp"}));

    WriteFileReplacing(folder.Path() + "/fresh.txt", "");
    EXPECT_EQ(ReadFileBytes(folder.Path() + "/fresh.txt"), "");
}

TEST(WriteFileReplacing, KeepsTheModeAndOwnerOfTheFileItReplaces) {
    TempFolder folder;
    for (mode_t mode : {0600, 0640, 0755, 0444}) {
        SCOPED_TRACE(mode);
        std::string target = folder.Write("f" + std::to_string(mode), "old");
        ::chmod(target.c_str(), mode);
        WriteFileReplacing(target, "new");
        EXPECT_EQ(ReadFileBytes(target), "new");
        EXPECT_EQ(ModeOf(target), mode);
    }
    // A new file gets what the umask leaves, as any file the program creates.
    mode_t previous = ::umask(027);
    WriteFileReplacing(folder.Path() + "/new.txt", "x");
    ::umask(previous);
    EXPECT_EQ(ModeOf(folder.Path() + "/new.txt"), mode_t(0640));

    // Only a privileged process can give a file to someone else: saving another user's file as root.
    std::string theirs = folder.Write("theirs.txt", "old");
    if (::chown(theirs.c_str(), 4321, 4322) == 0) {
        WriteFileReplacing(theirs, "new");
        struct stat st {};
        ::stat(theirs.c_str(), &st);
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 4322u);
    }
}

TEST(WriteFileReplacing, ALinkKeepsPointingAtTheReplacedFile) {
    TempFolder folder;
    std::string real = folder.Write("real.txt", "old");
    std::string link = folder.Path() + "/link.txt";
    std::filesystem::create_symlink(real, link);
    WriteFileReplacing(link, "new");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(real), "new");
}

// A save never puts a file where something else stands: a FIFO (standing in
// for a device, which a test must not touch), a folder, a link to either, or
// a link that leads nowhere stays as it was, and the error says why.
TEST(WriteFileReplacing, NeverReplacesWhatIsNotARegularFile) {
    namespace fs = std::filesystem;
    TempFolder folder;
    const std::string fifo = folder.Path() + "/pipe", dir = folder.Path() + "/a folder";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(dir);
    fs::create_symlink(fifo, folder.Path() + "/to pipe");
    fs::create_symlink(dir, folder.Path() + "/to folder");
    fs::create_symlink(folder.Path() + "/missing", folder.Path() + "/to nothing");
    const std::vector<std::string> before = FolderNames(folder.Path());
    for (const char* name : {"pipe", "to pipe", "to folder", "to nothing"}) {
        SCOPED_TRACE(name);
        const std::string target = folder.Path() + "/" + name;
        EXPECT_TRUE(PathExists(target));
        EXPECT_FALSE(FileExists(target));
        try {
            WriteFileReplacing(target, "new");
            ADD_FAILURE() << "no error raised";
        } catch (const EFCreateError& e) {
            EXPECT_NE(e.Message.find("\"" + target + "\""), std::string::npos) << e.Message;
            EXPECT_NE(e.Message.find("not a regular file"), std::string::npos) << e.Message;
        }
        EXPECT_EQ(FolderNames(folder.Path()), before);
        EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));
        EXPECT_TRUE(fs::is_directory(fs::symlink_status(dir)));
        EXPECT_FALSE(fs::exists(folder.Path() + "/missing"));
    }
    for (const char* link : {"to pipe", "to folder", "to nothing"})
        EXPECT_TRUE(fs::is_symlink(folder.Path() + "/" + link)) << link;
    EXPECT_FALSE(PathExists(folder.Path() + "/missing"));
}

TEST(WriteFileReplacing, AFailureNamesTheUsersFileAndLeavesNoTemporary) {
    TempFolder folder;
    std::string kept = folder.Write("kept.txt", "the old content");
    std::filesystem::create_directory(folder.Path() + "/a folder");
    struct Case {
        const char* name;
        std::string target;
        size_t sizeLimit;  // 0: none
    };
    const std::vector<Case> cases = {
        {"the disk fills up", kept, 4},
        {"the target is a folder", folder.Path() + "/a folder", 0},
        {"the folder is missing", folder.Path() + "/missing/out.txt", 0},
    };
    const std::vector<std::string> before = FolderNames(folder.Path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            if (c.sizeLimit) {
                FileSizeLimit limit(c.sizeLimit);
                WriteFileReplacing(c.target, "a new content, longer than the limit");
            } else {
                WriteFileReplacing(c.target, "new");
            }
            ADD_FAILURE() << "no error raised";
        } catch (const Exception& e) {
            EXPECT_NE(e.Message.find("\"" + c.target + "\""), std::string::npos) << e.Message;
        }
        EXPECT_EQ(FolderNames(folder.Path()), before);
        EXPECT_EQ(ReadFileBytes(kept), "the old content");
    }
}
