// Every file the game reads that the generator makes, with its path below the game folder.
#pragma once
#include <string>
#include <vector>

#include "byte_writer.h"

namespace assetgen {

struct GeneratedFile {
    std::string path; // relative to the game folder, '/'-separated
    Bytes bytes;
};

std::vector<GeneratedFile> GenerateAllAssets();

} // namespace assetgen
