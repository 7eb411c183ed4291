// Test support: temporary working directories and running a program in one.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// A fresh directory under the system's temporary folder, removed at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;
    // The names in the folder, sorted, "." entries included.
    std::vector<std::string> names() const;

private:
    std::filesystem::path path_;
};

struct ProgramResult {
    int status = -1;     // exit status, or -1 when the program did not exit normally
    std::string output;  // standard output and standard error
};

// Runs `program` with no arguments in `directory`, feeding `input` to its
// standard input (closed afterwards).
ProgramResult RunProgram(const std::string& program, const std::filesystem::path& directory,
                         const std::string& input);

// The same for a function run in a child process of this one, as if it were the program's main:
// its return value is the exit status.
ProgramResult RunInChild(const std::function<int()>& main, const std::filesystem::path& directory,
                         const std::string& input);
