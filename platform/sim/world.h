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

#include "platform/camera_model/camera.h"
#include "platform/camera_model/host.h"
#include "platform/types.h"

namespace sim {

// Device-interface class GUIDs in the order the driver registers them.
extern const win::GUID kInterfaceClasses[8];

// A camera as the simulated Windows lists it: the model's camera, plugged
// into a USB port, under a device-interface path.
struct Camera : camera_model::Camera {
  std::string path;         // device-interface path
  std::size_t pathLen = 0;  // the path padded to this many characters (0: its natural length)
  int port = 0;             // the USB port it is plugged into; the path names it
};

class Registry {
 public:
  // REG_SZ data holds Windows-1250 bytes with their terminating zero, as
  // RegSetValueExA stores them; REG_DWORD data holds 4 bytes, little-endian.
  struct Value {
    win::DWORD type = 0;
    std::vector<std::uint8_t> data;

    static Value Dword(std::uint32_t number);
    static Value String(const std::string& utf8);  // characters Windows-1250 lacks become '?'
    bool AsDword(std::uint32_t& number) const;     // false (number unchanged) unless REG_DWORD of 4 bytes
  };
  // Paths: "HKLM\SYSTEM\..." or "HKCU\Software\..." (HKEY_LOCAL_MACHINE and
  // HKEY_CURRENT_USER are accepted too); names compare without case.
  // With missing parents; those it creates are volatile when asked (as
  // RegCreateKeyExA with REG_OPTION_VOLATILE makes them).
  bool CreateKey(const std::string& path, bool isVolatile = false);
  bool DeleteKey(const std::string& path);  // with its subkeys
  bool KeyExists(const std::string& path) const;
  bool SetValue(const std::string& path, const std::string& name, const Value& value);  // false: no such key
  bool DeleteValue(const std::string& path, const std::string& name);
  const Value* GetValue(const std::string& path, const std::string& name) const;
  // The key opens for reading only, as one whose permissions grant no more:
  // the program's RegOpenKeyExA / RegCreateKeyExA asking to change it, keys
  // created under it, and its RegSetValueExA / RegDeleteValueA on it fail with
  // ERROR_ACCESS_DENIED; SetValue and DeleteValue above, the world's own, still work.
  void SetReadOnly(const std::string& path, bool readOnly);
  bool IsReadOnly(const std::string& path) const;
  // Keys created REG_OPTION_VOLATILE live only until the machine restarts:
  // RestartMachine drops them (with everything under them, all volatile).
  bool IsVolatile(const std::string& path) const;
  void RestartMachine();
  // Every value under the key and its subkeys, one line each: "PATH NAME dword N" / "PATH NAME string TEXT"
  // (TEXT in UTF-8) / "PATH NAME binary HEX" for other data; "(default)" names the unnamed value.
  std::vector<std::string> Dump(const std::string& path) const;
  // The desktop build keeps HKCU in a file so the window position survives.
  // LoadBranch replaces the branch with the file's keys and values; a file that
  // is missing or damaged anywhere leaves the registry as it was and gives false.
  bool SaveBranch(const std::string& rootPath, const std::string& file) const;
  bool LoadBranch(const std::string& rootPath, const std::string& file);
  void Clear();

 private:
  struct Key {
    std::map<std::string, std::unique_ptr<Key>> subkeys;  // by upper-case name
    std::map<std::string, std::string> subkeyNames;       // upper-case -> as created
    std::map<std::string, Value> values;                  // by upper-case name
    std::map<std::string, std::string> valueNames;
    bool readOnly = false;
    bool isVolatile = false;
    std::uint64_t serial = 0;  // never reused: an open handle notices that its key was deleted
  };
  friend struct RegistryAccess;
  Key roots_[2];  // 0 HKLM, 1 HKCU
  std::uint64_t nextSerial_ = 1;
  Key* Find(const std::string& path, bool create, bool isVolatile = false);
  const Key* Find(const std::string& path) const;
};

class World : public camera_model::Host {
 public:
  static World& Get();

  // A fresh world: no cameras, no handles, the six driver service keys,
  // administrator yes, platform nt, the default module file name, no version
  // resources, every switch below off and every record empty. The message
  // sink stays: it belongs to whoever drives the world.
  void Reset();

  // Adds a camera without power; SetPower(true) then makes it arrive. pathLen
  // pads the device path to that many characters (0: its natural length).
  Camera& AddCamera(const std::string& name, int classIndex, std::size_t pathLen = 0);
  // The same for camera_model::AddCamera, which builds the camera's memory image.
  bool Plug(const std::string& name, int classIndex, std::size_t pathLen, std::vector<std::uint8_t> image,
            std::string& error) override;
  void SwitchPower(const std::string& name, bool on) override;
  Camera* FindCamera(const std::string& name);
  // The camera, without power, is plugged into another port (0 at the start):
  // Windows lists it there under another device path. False while it has
  // power (or when it is no camera of this world).
  bool MoveToPort(camera_model::Camera& camera, int port);
  const std::vector<std::unique_ptr<Camera>>& Cameras() const { return cameras_; }

  // Power cut or return: the device leaves or joins the enumeration and the
  // removal or arrival message goes to every window registered for its class.
  // Pipes opened before a power cut stay dead after power returns.
  void SetPower(Camera& camera, bool on);

  // Administrator check
  bool admin = true;

  // The screen's monitors, the first one primary; by default one monitor of
  // 1920 by 1080 at the origin.
  struct Monitor {
    std::int32_t x = 0, y = 0, width = 0, height = 0;
  };
  std::vector<Monitor> monitors;
  enum class Platform { Nt, Win9x, Other, Fail } platform = Platform::Nt;

  Registry registry;

  // Where WM_DEVICECHANGE goes: the view toolkit's queue. header is the
  // broadcast record lParam points to; empty means lParam 0. window is
  // HWND_BROADCAST for a message to every top-level window.
  using MessageSink = std::function<void(win::HWND, win::UINT, win::WPARAM, std::vector<std::uint8_t> header)>;
  void SetMessageSink(MessageSink sink) { sink_ = std::move(sink); }
  void SendDeviceMessage(win::HWND window, win::WPARAM code, std::vector<std::uint8_t> header);

  // Open handles of the program: files, pipes, device information sets,
  // registry keys, libraries, service manager handles.
  std::size_t OpenHandleCount() const;
  std::vector<std::string> DescribeOpenHandles() const;
  std::size_t RegistrationCount() const;
  // The camera's pipes (0 to 3) the program holds open and alive: what the camera sees of the link.
  int PipesOpenTo(const Camera& camera) const;

  // The program's module and the version resources of files, by path. A file
  // without an entry has no version resource.
  std::string moduleFileName = "C:\\Program Files\\Kelvane\\zeltfw\\zeltfw.exe";
  bool moduleFileNameFails = false;
  std::map<std::string, std::vector<std::uint8_t>> versionResources;

  // Fault switches of the setup functions, per device-interface class index.
  bool classDevsFail[8] = {};    // SetupDiGetClassDevsA returns INVALID_HANDLE_VALUE
  bool enumFailForever[8] = {};  // every SetupDiEnumDeviceInterfaces fails with ERROR_INVALID_PARAMETER
  // Indices at which the class's SetupDiEnumDeviceInterfaces fails once (a
  // device being installed, say), with ERROR_GEN_FAILURE; the others answer as usual.
  std::vector<win::DWORD> enumFailOnce[8];
  std::size_t enumCalls = 0;  // SetupDiEnumDeviceInterfaces calls since Reset

  // advapi32.dll as LoadLibraryA / GetProcAddress find it.
  bool advapiMissing = false;
  bool advapiLacksOpenSCManager = false;
  bool advapiLacksCloseServiceHandle = false;

  // What the program asked for, for tests.
  struct FileOpen {
    std::string name;
    win::DWORD access = 0, share = 0, disposition = 0, flags = 0;
    bool security = false, templateFile = false;  // whether those pointers were given
  };
  FileOpen lastFileOpen;           // the last CreateFileA, whatever its outcome
  win::DWORD scManagerAccess = 0;  // access asked by the last OpenSCManagerA
  int loadLibraryCalls = 0, freeLibraryCalls = 0, openSCManagerCalls = 0;
  std::vector<std::uint8_t> lastNotificationRecord;  // the last accepted filter, dbcc_size bytes
  // What the program did that a real camera's driver would never answer, one
  // line each: a read of a data pipe with no request waiting for its reply
  // (a real pipe blocks for good; here the read moves no bytes).
  std::vector<std::string> protocolErrors;
  struct ImageLoad {
    std::string name;  // the resource name, or "#N" for a number
    win::UINT type = 0;
    int cx = 0, cy = 0;
    win::HANDLE image = nullptr;  // what the program got
  };
  std::vector<ImageLoad> imageLoads;  // every LoadImageA call

  // The module handle the tools hand to the program's entry point;
  // GetModuleFileNameA answers moduleFileName for it and for null.
  static win::HINSTANCE ProgramInstance();

  // For the platform functions (platform/sim/*.cpp), not for tools.
  struct Internals;
  Internals& internals() { return *internals_; }

  World();
  ~World() override;

 private:
  std::vector<std::unique_ptr<Camera>> cameras_;
  MessageSink sink_;
  std::unique_ptr<Internals> internals_;
};

}  // namespace sim
