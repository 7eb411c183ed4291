// The engine's whole main line in a scratch directory. The input is the text
// of B2F.dat, then "#" and the text of Bor3.dat (without "#" there is no
// Bor3.dat). Every run starts with an old F2B.dat in place and checks: a run
// that stops leaves the old table as it was; no scratch file is left behind;
// a written table has the count line and exactly that many rows of two finite
// 13-column fields; the console never shows a control character from the
// input.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "engine_main.h"
#include "fitlib.h"
#include "fuzz_check.h"
#include "records.h"

namespace {

namespace fs = std::filesystem;

const char kOldTable[] = "     1\r\n  .100000E+01  .200000E+01\r\n";

struct Stopped {};

// One scratch directory for the whole process, on a memory file system when there is one.
void enterScratchDirectory() {
    static bool entered = false;
    if (entered) return;
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    const fs::path dir = base / ("fitcore-fuzz-" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::current_path(dir);
    std::atexit([] {
        std::error_code ignored;
        const fs::path here = fs::current_path(ignored);
        fs::current_path(here.parent_path(), ignored);
        fs::remove_all(here, ignored);
    });
    entered = true;
}

void writeFile(const char* name, std::string_view bytes) {
    std::ofstream(name, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
}

std::string readFile(const char* name) {
    std::ifstream in(name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void checkTable(const std::string& table) {
    FUZZ_CHECK(table.size() >= 8 && table.compare(6, 2, "\r\n") == 0, "count line of F2B.dat");
    const std::optional<int> count = records::ReadFreeInteger(table.substr(0, 6));
    FUZZ_CHECK(count && *count >= 0, "count \"%s\"", table.substr(0, 6).c_str());
    constexpr std::size_t kRow = 28;  // two 13-column fields and CR LF
    FUZZ_CHECK(table.size() == 8 + kRow * std::size_t(*count), "%d rows counted, %zu bytes", *count,
               table.size());
    for (int r = 0; r < *count; ++r) {
        const std::string_view row = std::string_view(table).substr(8 + kRow * r, kRow);
        FUZZ_CHECK(row.substr(26) == "\r\n", "row %d ends without CR LF", r + 1);
        for (int f = 0; f < 2; ++f) {
            const std::string_view field = row.substr(13 * f, 13);
            const std::optional<float> v = records::ReadEField(field, 6);
            FUZZ_CHECK(v && std::isfinite(*v) && field[0] == ' ',
                       "row %d field %d \"%.13s\" is not a finite number", r + 1, f + 1,
                       field.data());
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    enterScratchDirectory();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('#');
    writeFile("B2F.dat", input.substr(0, split));
    if (split == std::string_view::npos) {
        fs::remove("Bor3.dat");
    } else {
        writeFile("Bor3.dat", input.substr(split + 1));
    }
    writeFile("F2B.dat", kOldTable);

    std::ostringstream console;
    AttachUnit(6, &console);
    SetStopAction([](int) { throw Stopped{}; });
    std::istringstream keyboard("");
    bool stopped = false;
    try {
        FUZZ_CHECK(RunEngine(keyboard) == 0, "a normal end returns 0");
    } catch (const Stopped&) {
        stopped = true;
    }
    SetStopAction(nullptr);
    AttachUnit(6, nullptr);
    ResetErrorState();

    for (const auto& entry : fs::directory_iterator("."))
        FUZZ_CHECK(entry.path().filename().string().rfind(".F2B.dat.", 0) != 0,
                   "scratch table %s left behind", entry.path().filename().c_str());
    const std::string table = readFile("F2B.dat");
    if (stopped) {
        FUZZ_CHECK(table == kOldTable, "a stopped run changed F2B.dat");
    } else {
        checkTable(table);
    }
    for (char c : console.str()) {
        const auto byte = static_cast<unsigned char>(c);
        FUZZ_CHECK(byte == '\n' || (byte >= 0x20 && byte < 0x7f), "console shows byte 0x%02X",
                   unsigned(byte));
    }
    return 0;
}
