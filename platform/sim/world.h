// The simulated Windows: virtual cameras under the eight interface classes,
// the registry, device notifications, version resources and the
// administrator check. One world per process; tools reset it per scenario.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/types.h"

namespace sim {

constexpr std::size_t kCameraMemorySize = 0x40000;  // 256 KiB; the Oskel block ends at 0x3FFBD

// Device-interface class GUIDs in the order the driver registers them.
extern const win::GUID kInterfaceClasses[8];

enum class FaultKind {
  ZeroWrite,   // the request moves no bytes; the camera never sees it
  ZeroRead,    // the camera runs the instruction; its reply moves no bytes
  Status,      // the reply carries `status` instead of the real one; nothing is executed
  ShortReply,  // a read's reply carries status 0x80 and fewer than n data bytes
};

struct PendingFault {
  FaultKind kind;
  std::uint8_t status = 0;
  int after = 0;  // instructions that still succeed before this one strikes
};

struct Camera {
  std::string name;
  int classIndex = 0;  // 0..7, index into kInterfaceClasses
  std::string path;    // device-interface path
  std::vector<std::uint8_t> memory = std::vector<std::uint8_t>(kCameraMemorySize);
  std::vector<std::uint8_t> snapshot = std::vector<std::uint8_t>(kCameraMemorySize);
  bool power = false;
  // Instructions received, as "rs:A:10", "rl:3FF80:61", "ws:A:61", "wl:3FFB0:13"
  // (hex address, decimal length), since the last TakeInstructions.
  std::vector<std::string> instructions;
  std::vector<PendingFault> faults;  // one-shot faults, oldest first
  bool ignoreWrites = false;         // writes answer 0x80 but memory keeps its bytes
  bool pipeOpenFails[3] = {false, false, false};
  bool deviceOpenFails = false;

  std::vector<std::string> TakeInstructions();
  void Snapshot() { snapshot = memory; }
};

class Registry {
 public:
  struct Value {
    win::DWORD type = 0;
    std::vector<std::uint8_t> data;
  };
  // Paths: "HKLM\SYSTEM\..." or "HKCU\Software\..." (HKEY_LOCAL_MACHINE and
  // HKEY_CURRENT_USER are accepted too); names compare without case.
  bool CreateKey(const std::string& path);  // with missing parents
  bool DeleteKey(const std::string& path);  // with its subkeys
  bool KeyExists(const std::string& path) const;
  bool SetValue(const std::string& path, const std::string& name, const Value& value);  // false: no such key
  bool DeleteValue(const std::string& path, const std::string& name);
  const Value* GetValue(const std::string& path, const std::string& name) const;
  void SetReadOnly(const std::string& path, bool readOnly);  // values can then not be set or deleted
  bool IsReadOnly(const std::string& path) const;
  // Every value under the key and its subkeys, one line each: "PATH NAME dword N" / "PATH NAME string TEXT".
  std::vector<std::string> Dump(const std::string& path) const;
  // The desktop build keeps HKCU in a file so the window position survives.
  bool SaveBranch(const std::string& rootPath, const std::string& file) const;
  bool LoadBranch(const std::string& rootPath, const std::string& file);
  void Clear();

 private:
  struct Key {
    std::map<std::string, std::unique_ptr<Key>> subkeys;  // by upper-case name
    std::map<std::string, std::string> subkeyNames;      // upper-case -> as created
    std::map<std::string, Value> values;                  // by upper-case name
    std::map<std::string, std::string> valueNames;
    bool readOnly = false;
  };
  friend struct RegistryAccess;
  Key roots_[2];  // 0 HKLM, 1 HKCU
  Key* Find(const std::string& path, bool create);
  const Key* Find(const std::string& path) const;
};

class World {
 public:
  static World& Get();

  // A fresh world: no cameras, no handles, the six driver service keys,
  // administrator yes, platform nt, the default module file name.
  void Reset();

  // Adds a camera without power; SetPower(true) then makes it arrive. pathLen
  // pads the device path to that many characters (0: its natural length).
  Camera& AddCamera(const std::string& name, int classIndex, std::size_t pathLen = 0);
  Camera* FindCamera(const std::string& name);
  const std::vector<std::unique_ptr<Camera>>& Cameras() const { return cameras_; }

  // Power cut or return: the device leaves or joins the enumeration and the
  // removal or arrival message goes to every window registered for its class.
  // Pipes opened before a power cut stay dead after power returns.
  void SetPower(Camera& camera, bool on);

  // Administrator check
  bool admin = true;
  enum class Platform { Nt, Win9x, Other, Fail } platform = Platform::Nt;

  Registry registry;

  // Where WM_DEVICECHANGE goes: the view toolkit's queue. header is the
  // broadcast record lParam points to; empty means lParam 0.
  using MessageSink = std::function<void(win::HWND, win::UINT, win::WPARAM, std::vector<std::uint8_t> header)>;
  void SetMessageSink(MessageSink sink) { sink_ = std::move(sink); }
  void SendDeviceMessage(win::HWND window, win::WPARAM code, std::vector<std::uint8_t> header);

  // Open handles of the program: files, pipes, device information sets,
  // registry keys, libraries, service manager handles.
  std::size_t OpenHandleCount() const;
  std::vector<std::string> DescribeOpenHandles() const;
  std::size_t RegistrationCount() const;

  // The program's module and the version resources of files, by path. A file
  // without an entry has no version resource.
  std::string moduleFileName = "C:\\Program Files\\Kelvane\\zeltfw\\zeltfw.exe";
  bool moduleFileNameFails = false;
  std::map<std::string, std::vector<std::uint8_t>> versionResources;

  // For the platform functions (platform/sim/*.cpp), not for tools.
  struct Internals;
  Internals& internals() { return *internals_; }

  World();
  ~World();

 private:
  std::vector<std::unique_ptr<Camera>> cameras_;
  MessageSink sink_;
  std::unique_ptr<Internals> internals_;
};

}  // namespace sim
