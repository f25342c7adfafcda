#pragma once

#include <span>
#include <string>

#include "common/ClassicTypes.h"

namespace tavelo {

// The three registry functions the About box asks for system information, with their
// classic shapes: key handles and status codes are Longs, names are ANSI (code page 932)
// bytes, values come back as typed bytes. Linux has no registry, so the program's own
// implementation (MemoryRegistry) starts empty; a Windows build could put the real
// advapi32 calls behind the same interface.
class RegistryStandIn {
public:
    using Handle = Long;

    // Predefined root key.
    static constexpr Handle HKEY_LOCAL_MACHINE = static_cast<Handle>(0x80000002u);

    // Status codes.
    static constexpr Long ERROR_SUCCESS = 0;
    static constexpr Long ERROR_FILE_NOT_FOUND = 2;
    static constexpr Long ERROR_INVALID_HANDLE = 6;
    static constexpr Long ERROR_MORE_DATA = 234;

    // Value types.
    static constexpr Long REG_NONE = 0;
    static constexpr Long REG_SZ = 1;
    static constexpr Long REG_EXPAND_SZ = 2;
    static constexpr Long REG_BINARY = 3;
    static constexpr Long REG_DWORD = 4;

    // Access mask asking for every right on a key (hexadecimal 2003F).
    static constexpr Long KEY_ALL_ACCESS = 131135;

    virtual ~RegistryStandIn() = default;

    // Opens the key `subKey` below `root`. On ERROR_SUCCESS `result` is a handle that
    // RegCloseKey must release; on failure `result` is left alone.
    virtual Long RegOpenKeyExA(Handle root, const std::string& subKey, Long options,
                               Long accessMask, Handle& result) = 0;

    // Reads the value `valueName` of an open key into `data`. `dataSize` comes in as the
    // number of bytes `data` may take (at most data.size()) and goes out as the number of
    // bytes the value holds; when they do not fit the result is ERROR_MORE_DATA and `data`
    // is undefined. `type` receives the value's type.
    virtual Long RegQueryValueExA(Handle key, const std::string& valueName, Long& type,
                                  std::span<Byte> data, Long& dataSize) = 0;

    virtual Long RegCloseKey(Handle key) = 0;
};

}  // namespace tavelo
