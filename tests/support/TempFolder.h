#pragma once
// A private folder for one test's corpus files, removed with the object.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

class TempFolder {
public:
    TempFolder() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("lexmoor-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path() const { return path_.string(); }

    // Writes the bytes as they are (no line-end translation); returns the full path.
    std::string Write(const std::string& name, std::string_view bytes) const {
        std::string full = (path_ / name).string();
        std::ofstream out(full, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return full;
    }

private:
    std::filesystem::path path_;
};
