#include "run_program.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "nodara-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary directory");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void TempDir::write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string TempDir::read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool TempDir::exists(const std::string& name) const { return fs::exists(path_ / name); }

std::vector<std::string> TempDir::names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

ProgramResult RunInChild(const std::function<int()>& main, const fs::path& directory,
                         const std::string& input) {
    fs::path inputFile = directory / ".stdin";
    {
        std::ofstream in(inputFile, std::ios::binary);
        in << input;
    }
    int pipeFds[2];
    if (pipe(pipeFds) != 0) throw std::runtime_error("pipe");
    std::cout.flush();
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        int in = open(inputFile.c_str(), O_RDONLY);
        dup2(in, 0);
        dup2(pipeFds[1], 1);
        dup2(pipeFds[1], 2);
        close(pipeFds[0]);
        if (chdir(directory.c_str()) != 0) _exit(127);
        const int status = main();
        std::cout.flush();
        std::fflush(nullptr);
        _exit(status);
    }
    close(pipeFds[1]);
    ProgramResult result;
    char buf[65536];
    for (ssize_t n; (n = read(pipeFds[0], buf, sizeof buf)) > 0;) result.output.append(buf, n);
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    fs::remove(inputFile);
    return result;
}

ProgramResult RunProgram(const std::string& program, const fs::path& directory,
                         const std::string& input) {
    return RunInChild(
        [&] {
            execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
            return 127;
        },
        directory, input);
}
