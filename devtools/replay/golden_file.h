// The text of a golden replay: one line per sampled tick with the readable fields, the digest and
// its parts; lines starting with '#' are notes (the replay's report) and are not compared.
#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "replay/replay_driver.h"

namespace pelko::testing {

using GoldenLine = std::vector<std::pair<std::string, std::string>>; // key, value in order

GoldenLine ToGoldenLine(const ReplaySample& sample);
std::string FormatGoldenLine(const GoldenLine& line);
// None for a line that is not of the form key=value;key=value...
std::optional<GoldenLine> ParseGoldenLine(const std::string& text);

// The recorded lines of a golden file (notes skipped); none if it cannot be read or a line is bad.
std::optional<std::vector<GoldenLine>> ReadGoldenFile(const std::string& path, std::string& error);

// "" when equal; otherwise which fields differ, each with the recorded and the replayed value.
std::string DescribeDifference(const GoldenLine& recorded, const GoldenLine& replayed);

} // namespace pelko::testing
