// A test program run again as a player would run it: as the unprivileged user nobody, through
// setpriv, from a folder anyone may enter. Root passes every permission check, so permission
// cases are checked there. Where nobody could not reach the program itself (a build inside a
// folder of root's own, as in some CI containers), a copy of it in a temporary folder is run.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "temp_folder.h" // beside this file, for the editor's tests too

namespace pelko::testing {

inline constexpr const char* kPlayerId = "65534";

// Whether every folder above the file lets others through and the file lets others run it.
inline bool OthersCanRun(const std::filesystem::path& file) {
    struct stat st {};
    if (stat(file.c_str(), &st) != 0 || (st.st_mode & S_IXOTH) == 0) return false;
    for (auto dir = file.parent_path(); !dir.empty(); dir = dir.parent_path()) {
        if (stat(dir.c_str(), &st) != 0 || (st.st_mode & S_IXOTH) == 0) return false;
        if (dir == dir.root_path()) break;
    }
    return true;
}

// Runs this program with the arguments as the player; its exit status (-1 when it could not be
// run) and everything it printed.
inline int RunThisProgramAsPlayer(const std::vector<std::string>& arguments, std::string& output) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error) return -1;
    std::optional<tessary::testing::TempFolder> copyFolder;
    if (!OthersCanRun(program)) {
        copyFolder.emplace("pelko-player");
        fs::permissions(copyFolder->Path(), fs::perms::owner_all | fs::perms::others_exec, error);
        const fs::path copy = *copyFolder / program.filename();
        if (!fs::copy_file(program, copy, error)) return -1;
        fs::permissions(copy,
                        fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
        program = copy;
    }
    std::vector<std::string> command = {"setpriv", std::string("--reuid=") + kPlayerId,
                                        std::string("--regid=") + kPlayerId, "--clear-groups",
                                        program.string()};
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : command)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], 1);
        dup2(out[1], 2);
        close(out[0]);
        close(out[1]);
        if (chdir("/") != 0) _exit(126);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<size_t>(n));
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace pelko::testing
