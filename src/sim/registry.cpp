#include "sim/registry.h"

#include <algorithm>
#include <iterator>

#include "gui/Text.h"

namespace sim {

namespace {

// The names of a key path, empty ones (doubled or outer backslashes) dropped.
std::vector<std::string> namesOf(const std::string& path) {
    std::vector<std::string> names;
    std::size_t i = 0;
    while (i <= path.size()) {
        std::size_t j = path.find('\\', i);
        if (j == std::string::npos) j = path.size();
        if (j > i) names.push_back(path.substr(i, j - i));
        i = j + 1;
    }
    return names;
}

}  // namespace

std::string Registry::keyOf(const std::string& path) {
    std::string key;
    for (const std::string& name : namesOf(path)) key += (key.empty() ? "" : "\\") + name;
    return gui::upper(key);
}

Registry::Key& Registry::addKey(const std::string& path) {
    // Each key on the way keeps the spelling of the call that made it.
    std::string spelled;
    Key* key = nullptr;
    for (const std::string& name : namesOf(path)) {
        spelled += (spelled.empty() ? "" : "\\") + name;
        key = &keys[keyOf(spelled)];
        if (key->name.empty()) key->name = spelled;
    }
    return key ? *key : keys[""];
}

void Registry::setValue(const std::string& path, const std::string& name, os::DWORD type,
                        const std::string& data) {
    Value& v = addKey(path).values[gui::upper(name)];
    v.name = name;
    v.type = type;
    v.data = data;
}

const Registry::Key* Registry::findKey(const std::string& path) const {
    const auto it = keys.find(keyOf(path));
    return it == keys.end() ? nullptr : &it->second;
}

Registry::Key* Registry::findKey(const std::string& path) {
    const auto it = keys.find(keyOf(path));
    return it == keys.end() ? nullptr : &it->second;
}

const Registry::Value* Registry::findValue(const std::string& path,
                                           const std::string& name) const {
    const Key* key = findKey(path);
    if (!key) return nullptr;
    const auto it = key->values.find(gui::upper(name));
    return it == key->values.end() ? nullptr : &it->second;
}

void Registry::restart() {
    std::vector<std::string> gone;
    for (const auto& [path, key] : keys)
        if (key.isVolatile) gone.push_back(path);
    for (const std::string& path : gone) {
        const std::string below = path + "\\";
        for (auto it = keys.begin(); it != keys.end();) {
            const bool under = it->first.compare(0, below.size(), below) == 0;
            it = it->first == path || under ? keys.erase(it) : std::next(it);
        }
    }
    openHandles.clear();
}

std::vector<std::string> Registry::subKeyNames(const std::string& path) const {
    const std::string k = keyOf(path);
    const std::string prefix = k.empty() ? std::string() : k + "\\";
    std::vector<std::string> names;
    for (const auto& [upper, key] : keys) {
        if (upper.size() <= prefix.size() || upper.compare(0, prefix.size(), prefix) != 0) continue;
        if (upper.find('\\', prefix.size()) != std::string::npos) continue;
        // The last name as it was spelled when the key was made.
        const std::size_t slash = key.name.rfind('\\');
        names.push_back(slash == std::string::npos ? key.name : key.name.substr(slash + 1));
    }
    // The map's order is already that of the upper-cased paths; keep it
    // explicit, as the order is part of the contract.
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return gui::upper(a) < gui::upper(b);
    });
    return names;
}

}  // namespace sim
