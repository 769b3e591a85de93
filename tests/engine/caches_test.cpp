// What the engine keeps for speed: within its budget, however many texts
// come.
#include "engine_support.h"

#include "text/characters.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <random>
#include <string>
#include <vector>

namespace {

using vantor::AtlasEngine;
using vantor::AtlasSettings;

// Bytes the heap holds in use now.
std::size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

// A cell of clusters no font of the tests has: each a Han character with a
// mark, never the same twice, so that every one is looked for anew.
std::string NewClusters(std::mt19937 &random)
{
    std::string cell;
    for (int i = 0; i < 3; ++i)
        cell += text::Utf8(std::u32string{static_cast<char32_t>(0x4E00 + random() % 20000),
            static_cast<char32_t>(0x300 + random() % 0x70)});
    return cell;
}

TEST(EngineCachesTest, ThousandsOfNewTextsAndFontChangesKeepNoMoreThanTheBudget)
{
    // Once the cache is full, what comes in lets go of as much: after two
    // rounds of two fonts, two more hold the heap where it was, where
    // anything kept beside the cache grows with every cluster.
    AtlasEngine engine(256 << 10);
    AtlasSettings settings{"Courier", 9, 256, 4, 30, false, false, false, DefaultCells()};
    std::mt19937 random(42);
    const auto rounds = [&](int count) {
        for (int round = 0; round < count; ++round) {
            for (const char *family : {"Courier", "DejaVu Serif"}) {
                settings.family = family;
                for (int render = 0; render < 250; ++render) {
                    for (int cell = 0; cell < 100; cell += 10)
                        settings.cells[static_cast<std::size_t>(cell)] = NewClusters(random);
                    engine.Render(settings);
                }
            }
        }
    };
    rounds(2);
    const std::size_t full = HeapInUse();
    rounds(2);
    const std::size_t after = HeapInUse();
    EXPECT_LT(after, full + (128 << 10)) << "grew by " << (after - full) / 1024 << " KiB over 30,000 new clusters";
}

} // namespace
