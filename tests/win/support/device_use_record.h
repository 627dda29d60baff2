#pragma once
// Uses of the microphone and the camera written into the current user's registry as
// Windows records them, for the tests of holds for calls.

#include <windows.h>

#include <string>

#include "common/handles_win.h"

namespace harness {

// Where Windows keeps the devices' records; the keys above it stay.
inline constexpr wchar_t kAccessManager[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\CapabilityAccessManager";

// Now as a FILETIME: 100 ns since 1601 UTC.
ULONGLONG FileTimeNow();

bool KeyExists(const std::wstring& path);

// A program's use of a device, begun now, as Windows records it: the program's key under
// ConsentStore\<device>, LastUsedTimeStart the use's beginning and LastUsedTimeStop 0
// until it ends, both REG_QWORD. The keys it made go with it.
class DeviceUseRecord {
  public:
    // `program` below the device's key: a package's name, or "NonPackaged\\" and a path
    // with "#" for "\".
    DeviceUseRecord(const std::wstring& device, const std::wstring& program,
                    ULONGLONG began = FileTimeNow());
    ~DeviceUseRecord();
    DeviceUseRecord(const DeviceUseRecord&) = delete;
    DeviceUseRecord& operator=(const DeviceUseRecord&) = delete;

    bool Created() const { return key_ != nullptr; }
    // The use ends now.
    void End() { Write(L"LastUsedTimeStop", FileTimeNow()); }
    void Write(const wchar_t* name, ULONGLONG value);

  private:
    std::wstring path_;
    rilto::UniqueKey key_;
};

}  // namespace harness
