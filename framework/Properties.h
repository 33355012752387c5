#pragma once

#include <map>
#include <string>

#include "framework/Singleton.h"

namespace kiln {

/// A string-to-string property map; the game stores nothing in it.
class Properties : public Singleton<Properties> {
public:
    virtual ~Properties() = default;

    void set(const std::string& key, const std::string& value) { properties[key] = value; }
    /// The value, or fallback when the key is absent.
    std::string get(const std::string& key, const std::string& fallback = "") const {
        auto found = properties.find(key);
        return found == properties.end() ? fallback : found->second;
    }

private:
    friend class Singleton<Properties>;
    Properties() = default;

    std::map<std::string, std::string> properties;
};

}  // namespace kiln
