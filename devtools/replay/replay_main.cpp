// The replay driver: plays the whole game from its start-up on the headless platform with a
// scripted or computed input and prints what it reached.
//   replay_driver list                    the replays it knows
//   replay_driver play NAME               plays one and prints its report
//   replay_driver record NAME FILE        writes its golden file (digests every 30 ticks)
//   replay_driver check NAME FILE         replays it against its golden file; fails at the first
//                                         sampled tick that differs and says what differs
//   replay_driver soak [MINUTES [WARMUP]] title, demo and runs (the autopilot playing) over and
//                                         over for MINUTES of game time (60 by default) after a
//                                         warm-up to the first staff roll of at most WARMUP
//                                         minutes (30; 0 for none), printing the memory figures
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "replay/golden_file.h"
#include "replay/replay_scenarios.h"
#include "replay/soak.h"
#include "support/game_digest.h"

namespace pelko::testing {
namespace {

int Usage() {
    std::fprintf(stderr, "usage: replay_driver list | play NAME | record NAME FILE | check NAME "
                         "FILE | soak [MINUTES [WARMUP]]\n");
    return 2;
}

const ReplayScenario* Find(const std::string& name) {
    const ReplayScenario* s = FindScenario(name);
    if (s == nullptr)
        std::fprintf(stderr, "no replay named %s (see: replay_driver list)\n", name.c_str());
    return s;
}

ReplayResult Play(const ReplayScenario& s, ReplayDriver::Observer observer = {}) {
    std::unique_ptr<InputSource> input = s.input();
    ReplayDriver driver(s.folder, *input);
    driver.SampleEvery(30);
    if (observer) driver.OnEachTick(std::move(observer));
    return driver.Run(s.ticks);
}

int Record(const ReplayScenario& s, const std::string& path) {
    const ReplayResult result = Play(s);
    if (!result.booted) {
        std::fprintf(stderr, "%s: the game did not start\n", s.name.c_str());
        return 1;
    }
    std::ofstream out(path);
    out << "# " << s.name << ": " << s.about << "\n";
    out << "# The game state every 30 ticks; renewed by scripts/renew-replay-goldens.sh\n";
    for (const ReplaySample& sample : result.samples)
        out << FormatGoldenLine(ToGoldenLine(sample)) << "\n";
    std::string report = FormatReplayReport(result);
    size_t start = 0;
    while (start < report.size()) {
        const size_t end = report.find('\n', start);
        out << "# " << report.substr(start, end - start) << "\n";
        start = end == std::string::npos ? report.size() : end + 1;
    }
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("%s: %zu samples written to %s\n%s", s.name.c_str(), result.samples.size(),
                path.c_str(), report.c_str());
    return 0;
}

int Check(const ReplayScenario& s, const std::string& path) {
    std::string error;
    const std::optional<std::vector<GoldenLine>> golden = ReadGoldenFile(path, error);
    if (!golden) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    size_t compared = 0;
    std::string difference;
    const ReplayResult result = Play(s, [&](GameHarness&, const ReplayResult& r) {
        if (r.samples.size() == compared) return true;
        const GoldenLine now = ToGoldenLine(r.samples.back());
        if (compared >= golden->size()) {
            difference = "  the recording ends before tick " + now.front().second + "\n";
        } else {
            difference = DescribeDifference((*golden)[compared], now);
        }
        ++compared;
        if (difference.empty()) return true;
        difference += "the replayed state there:\n" + DescribeGameState();
        return false;
    });
    if (!result.booted) {
        std::fprintf(stderr, "%s: the game did not start\n", s.name.c_str());
        return 1;
    }
    if (!difference.empty()) {
        std::printf("%s parts from %s at tick %llu (sample %zu):\n%s", s.name.c_str(), path.c_str(),
                    static_cast<unsigned long long>(result.ticks), compared, difference.c_str());
        return 1;
    }
    if (compared != golden->size()) {
        std::printf("%s: the replay gave %zu samples, the recording has %zu\n", s.name.c_str(),
                    compared, golden->size());
        return 1;
    }
    std::printf("%s: all %zu samples (every 30 ticks of %llu) match %s\n%s", s.name.c_str(),
                compared, static_cast<unsigned long long>(result.ticks), path.c_str(),
                FormatReplayReport(result).c_str());
    return 0;
}

} // namespace
} // namespace pelko::testing

int main(int argc, char** argv) {
    using namespace pelko::testing;
    if (argc < 2) return Usage();
    const std::string command = argv[1];
    if (command == "list") {
        for (const ReplayScenario& s : ReplayScenarios())
            std::printf("%-18s %s (%llu ticks)\n", s.name.c_str(), s.about.c_str(),
                        static_cast<unsigned long long>(s.ticks));
        return 0;
    }
    if (command == "soak")
        return RunSoak(argc > 2 ? std::atof(argv[2]) : 60.0, argc > 3 ? std::atof(argv[3]) : 30.0);
    if (argc < 3) return Usage();
    const ReplayScenario* s = Find(argv[2]);
    if (s == nullptr) return 2;
    if (command == "play") {
        const ReplayResult result = Play(*s);
        std::printf("%s", FormatReplayReport(result).c_str());
        return result.booted ? 0 : 1;
    }
    if (argc < 4) return Usage();
    if (command == "record") return Record(*s, argv[3]);
    if (command == "check") return Check(*s, argv[3]);
    return Usage();
}
