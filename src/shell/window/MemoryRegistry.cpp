#include "shell/window/MemoryRegistry.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tavelo {
namespace {

std::string lowerAscii(const std::string& text) {
    std::string result = text;
    std::transform(result.begin(), result.end(), result.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return result;
}

}  // namespace

void MemoryRegistry::addKey(Handle root, const std::string& subKey) {
    keys_.try_emplace(KeyId{root, lowerAscii(subKey)});
}

void MemoryRegistry::setValue(Handle root, const std::string& subKey, const std::string& valueName,
                              Long type, std::vector<Byte> data) {
    keys_[KeyId{root, lowerAscii(subKey)}][lowerAscii(valueName)] = Value{type, std::move(data)};
}

void MemoryRegistry::setString(Handle root, const std::string& subKey, const std::string& valueName,
                               const std::string& text) {
    std::vector<Byte> data(text.begin(), text.end());
    data.push_back(0);
    setValue(root, subKey, valueName, REG_SZ, std::move(data));
}

void MemoryRegistry::setDword(Handle root, const std::string& subKey, const std::string& valueName,
                              std::uint32_t value) {
    std::vector<Byte> data;
    for (int shift = 0; shift < 32; shift += 8) data.push_back(static_cast<Byte>(value >> shift));
    setValue(root, subKey, valueName, REG_DWORD, std::move(data));
}

Long MemoryRegistry::RegOpenKeyExA(Handle root, const std::string& subKey, Long /*options*/,
                                   Long accessMask, Handle& result) {
    lastAccessMask_ = accessMask;
    const KeyId id{root, lowerAscii(subKey)};
    if (keys_.find(id) == keys_.end()) return ERROR_FILE_NOT_FOUND;
    result = nextHandle_++;
    open_.emplace(result, id);
    return ERROR_SUCCESS;
}

Long MemoryRegistry::RegQueryValueExA(Handle key, const std::string& valueName, Long& type,
                                      std::span<Byte> data, Long& dataSize) {
    const auto handle = open_.find(key);
    if (handle == open_.end()) return ERROR_INVALID_HANDLE;
    const Values& values = keys_.at(handle->second);
    const auto value = values.find(lowerAscii(valueName));
    if (value == values.end()) return ERROR_FILE_NOT_FOUND;

    type = value->second.type;
    const auto& bytes = value->second.data;
    const auto room =
        std::min<std::size_t>(static_cast<std::size_t>(std::max<Long>(dataSize, 0)), data.size());
    dataSize = static_cast<Long>(bytes.size());
    if (bytes.size() > room) return ERROR_MORE_DATA;
    if (!bytes.empty()) std::memcpy(data.data(), bytes.data(), bytes.size());
    return ERROR_SUCCESS;
}

Long MemoryRegistry::RegCloseKey(Handle key) {
    return open_.erase(key) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace tavelo
