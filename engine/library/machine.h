// Machine constants of single precision and of integers, the unit table for
// console output, and small vector and character utilities.
#pragma once

#include <cstddef>
#include <ostream>
#include <type_traits>

float AMACH(const int& N);
int IMACH(const int& N);
void UMACH(const int& N, int& NUNIT);
char ACHAR(const int& I);
void RCOPY(const int& N, const float SX[], const int& INCX, float SY[], const int& INCY);
void RSET(const int& N, const float& VALUE, float SY[], const int& INCY);

// Case-insensitive comparison of the character C with the upper-case letter
// LETTER.
bool LetterEquals(char C, char LETTER);

// The stream behind a unit number. Units 5 and 6 are the console (6 is
// standard output); a unit with no stream attached writes to standard output.
void AttachUnit(int unit, std::ostream* stream);
std::ostream& UnitStream(int unit);
// Back to the default unit numbers, with no stream attached.
void ResetUnits();

// Largest work array in bytes that a Workspace request may obtain; a negative
// limit (the default) means only the heap limits it. Lets a test observe the
// reports of a failed request. Returns the previous limit.
long long SetWorkspaceLimit(long long bytes);
long long WorkspaceLimit();

// Uninitialised storage of the given size in bytes from the heap, or null.
// Large blocks are asked to be backed by large pages where the system offers
// them, so that first touching them costs a few page faults, not thousands.
void* AcquireWork(std::size_t bytes);
// Gives back storage from AcquireWork of the same size (null is allowed).
void ReleaseWork(void* block, std::size_t bytes);

// Work storage for one call: obtained from the heap with a success status,
// given back when the object goes out of scope. A negative or overflowing size
// counts as a failed request. The elements are left uninitialised.
template <typename T>
class Workspace {
    static_assert(std::is_trivially_default_constructible_v<T> &&
                  std::is_trivially_destructible_v<T>);

public:
    explicit Workspace(long long count) {
        const long long limit = WorkspaceLimit();
        if (count >= 0 && static_cast<unsigned long long>(count) < kMaxCount &&
            (limit < 0 || count <= limit / static_cast<long long>(sizeof(T)))) {
            bytes_ = sizeof(T) * static_cast<std::size_t>(count > 0 ? count : 1);
            data_ = static_cast<T*>(AcquireWork(bytes_));
        }
    }
    ~Workspace() { ReleaseWork(data_, bytes_); }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    bool ok() const { return data_ != nullptr; }
    T* get() const { return data_; }

private:
    static constexpr unsigned long long kMaxCount = (1ULL << 40) / sizeof(T);
    T* data_ = nullptr;
    std::size_t bytes_ = 0;
};
