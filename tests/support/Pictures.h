#pragma once
// Where tests and benchmarks write the pictures they take: a folder of the
// build tree, so that no run leaves pictures among the sources.

#include <filesystem>
#include <string>

inline std::string PicturePath(const std::string& name) {
    std::filesystem::path folder = LEXMOOR_PICTURE_DIR;
    std::filesystem::create_directories(folder);
    return (folder / name).string();
}
