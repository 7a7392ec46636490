// The generator itself: the same bytes on every run, and the build's game folder holds exactly
// what it makes.
#include <gtest/gtest.h>

#include <string>

#include "assetgen/asset_set.h"
#include "support/asset_readers.h"

namespace {

TEST(AssetGenerator, WritesTheSameBytesEveryRunAndTheBuildHoldsThem) {
    const auto first = assetgen::GenerateAllAssets();
    const auto second = assetgen::GenerateAllAssets();
    ASSERT_EQ(first.size(), second.size());
    // 13 pictures in two directories, the how-to-play picture, 6 waves and 3 pieces.
    EXPECT_EQ(first.size(), 13u * 2 + 1 + 6 + 3);
    for (size_t i = 0; i < first.size(); ++i) {
        SCOPED_TRACE(first[i].path);
        EXPECT_EQ(first[i].path, second[i].path);
        EXPECT_TRUE(first[i].bytes == second[i].bytes) << "output differs between runs";
        const auto onDisk = asset_test::ReadFile(std::string(PELKO_DIST_DIR) + "/" + first[i].path);
        EXPECT_TRUE(onDisk == first[i].bytes) << "the game folder holds something else";
    }
}

} // namespace
