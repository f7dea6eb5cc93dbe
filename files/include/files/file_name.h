// Telling a file's kind by the end of its name, as the user may type it.
#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

namespace orv {

// Whether name ends in ending (written in lower case), each letter of name in
// either case.
inline bool EndsInAnyCase(std::string_view name, std::string_view ending) {
    return name.size() >= ending.size() &&
           std::equal(ending.begin(), ending.end(), name.end() - ending.size(), [](char e, char c) {
               return std::tolower(static_cast<unsigned char>(c)) == e;
           });
}

} // namespace orv
