// Internal to the library, not part of its interface: 1-based views over caller arrays, so that
// code reads like the formulas: c(3, m) = tau(m) - tau(m - 1). A view owns nothing and costs
// nothing.
#pragma once

#include <cstddef>
#include <type_traits>

template <typename T>
class Vec1 {
public:
    constexpr Vec1(T* first) : p_(first) {}
    // A view of const elements over the same array.
    template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    constexpr Vec1(const Vec1<U>& other) : p_(other.at(1)) {}
    constexpr T& operator()(std::ptrdiff_t i) const { return p_[i - 1]; }
    constexpr T* at(std::ptrdiff_t i) const { return p_ + (i - 1); }  // address of element i

private:
    T* p_;
};

// Column-major matrix with leading dimension ld.
template <typename T>
class Mat1 {
public:
    constexpr Mat1(T* first, std::ptrdiff_t ld) : p_(first), ld_(ld) {}
    constexpr T& operator()(std::ptrdiff_t r, std::ptrdiff_t c) const {
        return p_[(r - 1) + (c - 1) * ld_];
    }
    constexpr T* at(std::ptrdiff_t r, std::ptrdiff_t c) const { return &(*this)(r, c); }
    constexpr std::ptrdiff_t ld() const { return ld_; }

private:
    T* p_;
    std::ptrdiff_t ld_;
};
