// Copies the shipped stage files into the folder given, as the stage reader fuzzer's seeds.
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator(PELKO_STAGE_SOURCE_DIR))
        if (entry.path().extension() == ".dat")
            fs::copy_file(entry.path(), fs::path(argv[1]) / entry.path().filename(),
                          fs::copy_options::overwrite_existing);
    return 0;
}
