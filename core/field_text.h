#pragma once
// Text kept in a fixed-size field of a stored record or a driver structure: it ends at the
// first zero, or at the end of the field when a damaged record carries none.

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace torvik {

inline std::string_view FieldText(const char* field, std::size_t fieldSize) {
    if (field == nullptr) {
        return {};
    }
    const char* end = std::find(field, field + fieldSize, '\0');
    return {field, static_cast<std::size_t>(end - field)};
}

template <std::size_t N>
std::string_view FieldText(const char (&field)[N]) {
    return FieldText(field, N);
}

}  // namespace torvik
