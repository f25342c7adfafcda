#include <QtTest>
#include <array>

#include "support/GuiTesting.h"
#include "shell/window/MemoryRegistry.h"

using namespace tavelo;

namespace {
constexpr RegistryStandIn::Handle HKLM = RegistryStandIn::HKEY_LOCAL_MACHINE;
}

// The registry stand-in behaves as the classic functions do for the calls the About box
// makes, so that what GetKeyValue is tested against is what a real registry would answer.
class MemoryRegistryTest : public QObject {
    Q_OBJECT

private slots:
    void emptyRegistry_hasNoKeys() {
        MemoryRegistry registry;
        RegistryStandIn::Handle key = 7;
        QCOMPARE(registry.RegOpenKeyExA(HKLM, "SOFTWARE", 0, RegistryStandIn::KEY_ALL_ACCESS, key),
                 RegistryStandIn::ERROR_FILE_NOT_FOUND);
        QCOMPARE(key, 7);
        QCOMPARE(registry.openHandleCount(), 0);
    }

    void namesCompareWithoutCase() {
        MemoryRegistry registry;
        registry.setString(HKLM, "SOFTWARE\\Tools", "Path", "x");
        RegistryStandIn::Handle key = 0;
        QCOMPARE(registry.RegOpenKeyExA(HKLM, "software\\TOOLS", 0, 0, key),
                 RegistryStandIn::ERROR_SUCCESS);
        std::array<Byte, 8> data{};
        Long type = 0;
        Long size = static_cast<Long>(data.size());
        QCOMPARE(registry.RegQueryValueExA(key, "PATH", type, data, size),
                 RegistryStandIn::ERROR_SUCCESS);
        QCOMPARE(type, RegistryStandIn::REG_SZ);
        QCOMPARE(size, 2);
        QCOMPARE(data[0], Byte{'x'});
        QCOMPARE(data[1], Byte{0});
        QCOMPARE(registry.RegCloseKey(key), RegistryStandIn::ERROR_SUCCESS);
    }

    void otherRoot_doesNotShareKeys() {
        MemoryRegistry registry;
        registry.addKey(HKLM, "SOFTWARE");
        RegistryStandIn::Handle key = 0;
        QCOMPARE(registry.RegOpenKeyExA(static_cast<RegistryStandIn::Handle>(0x80000001u),
                                        "SOFTWARE", 0, 0, key),
                 RegistryStandIn::ERROR_FILE_NOT_FOUND);
    }

    void valueLargerThanTheBuffer_reportsMoreDataAndItsSize() {
        MemoryRegistry registry;
        registry.setDword(HKLM, "K", "V", 0x01020304u);
        RegistryStandIn::Handle key = 0;
        QCOMPARE(registry.RegOpenKeyExA(HKLM, "K", 0, 0, key), RegistryStandIn::ERROR_SUCCESS);
        std::array<Byte, 8> data{};
        Long type = 0;
        Long size = 3;
        QCOMPARE(registry.RegQueryValueExA(key, "V", type, data, size),
                 RegistryStandIn::ERROR_MORE_DATA);
        QCOMPARE(size, 4);
        size = 4;
        QCOMPARE(registry.RegQueryValueExA(key, "V", type, data, size),
                 RegistryStandIn::ERROR_SUCCESS);
        QCOMPARE(type, RegistryStandIn::REG_DWORD);
        QCOMPARE(data[0], Byte{0x04});  // least significant byte first
        QCOMPARE(data[3], Byte{0x01});
        QCOMPARE(registry.RegCloseKey(key), RegistryStandIn::ERROR_SUCCESS);
    }

    void closedHandle_isRefused() {
        MemoryRegistry registry;
        registry.setString(HKLM, "K", "V", "x");
        RegistryStandIn::Handle key = 0;
        QCOMPARE(registry.RegOpenKeyExA(HKLM, "K", 0, 0, key), RegistryStandIn::ERROR_SUCCESS);
        QCOMPARE(registry.openHandleCount(), 1);
        QCOMPARE(registry.RegCloseKey(key), RegistryStandIn::ERROR_SUCCESS);
        QCOMPARE(registry.openHandleCount(), 0);
        QCOMPARE(registry.RegCloseKey(key), RegistryStandIn::ERROR_INVALID_HANDLE);
        std::array<Byte, 4> data{};
        Long type = 0;
        Long size = 4;
        QCOMPARE(registry.RegQueryValueExA(key, "V", type, data, size),
                 RegistryStandIn::ERROR_INVALID_HANDLE);
    }
};

TAVELO_GUI_TEST_MAIN(MemoryRegistryTest)
#include "MemoryRegistryTest.moc"
