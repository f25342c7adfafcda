#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "shell/window/RegistryStandIn.h"

namespace tavelo {

// A registry held in memory. Made empty it is what the program uses on Linux, where there
// is no registry: every key is missing. Tests fill it to stand for a Windows machine.
// Key and value names compare without regard to ASCII case, as in the registry.
class MemoryRegistry : public RegistryStandIn {
public:
    MemoryRegistry() = default;

    // Creates the key (with no values) if it is not there yet.
    void addKey(Handle root, const std::string& subKey);
    // Stores a value of any type as raw bytes, creating the key.
    void setValue(Handle root, const std::string& subKey, const std::string& valueName, Long type,
                  std::vector<Byte> data);
    // A REG_SZ value: the text's bytes followed by one NUL, as the registry stores them.
    void setString(Handle root, const std::string& subKey, const std::string& valueName,
                   const std::string& text);
    // A REG_DWORD value: four bytes, least significant first.
    void setDword(Handle root, const std::string& subKey, const std::string& valueName,
                  std::uint32_t value);

    Long RegOpenKeyExA(Handle root, const std::string& subKey, Long options, Long accessMask,
                       Handle& result) override;
    Long RegQueryValueExA(Handle key, const std::string& valueName, Long& type,
                          std::span<Byte> data, Long& dataSize) override;
    Long RegCloseKey(Handle key) override;

    // What a caller left behind: handles opened and not closed, and the access it asked for.
    [[nodiscard]] int openHandleCount() const { return static_cast<int>(open_.size()); }
    [[nodiscard]] Long lastAccessMask() const { return lastAccessMask_; }

private:
    struct Value {
        Long type = REG_NONE;
        std::vector<Byte> data;
    };
    using Values = std::map<std::string, Value>;   // by lower-case name
    using KeyId = std::pair<Handle, std::string>;  // root, lower-case path

    std::map<KeyId, Values> keys_;
    std::map<Handle, KeyId> open_;
    Handle nextHandle_ = 0x100;
    Long lastAccessMask_ = 0;
};

}  // namespace tavelo
