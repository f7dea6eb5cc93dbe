// Icons registered as resources.
#include "platform/user.h"

#include <map>

namespace orv {

namespace {

std::map<std::string, IconResource>& icons() {
    static std::map<std::string, IconResource> all;
    return all;
}

} // namespace

void RegisterIconResource(IconResource icon) {
    std::string name = icon.name;
    icons()[name] = std::move(icon);
}

HICON LoadIconA(HINSTANCE, const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    auto found = icons().find(name);
    return found != icons().end() ? found->second.name.c_str() : nullptr;
}

const IconResource* FindIconResource(HICON icon) {
    if (icon == nullptr) {
        return nullptr;
    }
    auto found = icons().find(icon);
    return found != icons().end() ? &found->second : nullptr;
}

} // namespace orv
