// The matrix's scenarios. A small model of the program's rules follows the
// script as it is written: which step shows, whether the link is open, what
// the pane says, whether the camera holds the choice and whether the driver
// permission is set. Each action updates the model; the faulted action gets
// its outcome from Outcome() below, which is where the rules for failures live.
#include "tests/reliability/fault_matrix.h"

#include <stdexcept>

#include "tests/reliability/script_writer.h"
#include "tools/scenario/args.h"

namespace reliability {

namespace {

using camera_model::CameraSeries;

constexpr int kCountItem = 5;  // "8 pozic"
constexpr int kWheelItem = 2;  // "EFW revize 2"
const char kDefaultTitle[] = "Počet Filtrů v3.0";
const char kNotConnected[] = "Nepřipojena";

struct Instruction {
  std::string text;  // as `expect instructions` writes it
  bool write = false;
};

bool IsOskel(const CameraCase& c) { return c.series == CameraSeries::Oskel; }

std::vector<Instruction> InstructionsOf(const CameraCase& c, int step) {
  const std::string n = c.series == CameraSeries::Ravik ? "59" : "61";
  if (IsOskel(c)) {
    if (step == 1) return {{"rl:3FF80:61", false}};
    if (step == 4) return {{"wl:3FF80:48", true}, {"wl:3FFB0:13", true}, {"rl:3FF80:61", false}};
    return {};
  }
  if (step == 1 || step == 3) return {{"rs:0:10", false}, {"rs:A:" + n, false}};
  if (step == 4) return {{"ws:A:" + n, true}, {"rs:A:" + n, false}};
  return {};
}

std::vector<int> StepsOf(const CameraCase& c) {
  if (IsOskel(c)) return {1, 4, 5};
  return {1, 2, 3, 4, 5};
}

struct Box {
  std::string line1, line2, icon;
};
const Box kAdminBox{"Práce s kamerami Zelt vyžaduje oprávnění správce.", "Klikněte pravým tlačítkem na ikonu aplikace",
                    "info"};
const Box kRegistryBox{"Nelze zapsat do Windows Registry", "Aplikace vyžaduje administrativní oprávnění", "stop"};
const Box kEepromBox{"Nelze zapsat EEPROM", "Kontaktujte technickou podporu", "stop"};

// What the program shows and holds, as its rules say, after the script so far.
struct Model {
  bool windowOpen = false;
  bool cameraOn = true;
  bool linkOpen = false;
  int step = 0;
  bool showsData = false;  // the pane shows the camera's facts (steps 1 and 3)
  bool nextEnabled = false;
  std::uint32_t flags = 0;
  unsigned shownCount = 0;  // the count the pane shows while it shows data
  bool written = false;     // the camera holds the choice
  bool permission = false;  // AllowEEPROMWrite is set
  std::vector<Box> boxes;   // shown since the last check
  bool checkLastError = false;
  std::string lastError;
};

bool IsGone(Fault f) {
  return f == Fault::ZeroWrite || f == Fault::ZeroRead || f == Fault::PowerCutBefore || f == Fault::PowerCutAfter;
}
bool IsPowerCut(Fault f) { return f == Fault::PowerCutBefore || f == Fault::PowerCutAfter; }
// A write instruction that the camera carried out despite the fault.
bool WriteRuns(Fault f) { return f == Fault::ZeroRead || f == Fault::PowerCutAfter || f == Fault::ShortReply; }

std::string InstructionError(Fault f) {
  switch (f) {
    case Fault::Status81:
      return "Instruction failed: Invalid index";
    case Fault::Status82:
      return "Instruction failed: Invalid parameter";
    case Fault::Status83:
      return "Instruction failed: Unknown instruction";
    case Fault::StatusUnknown:
      return "Instruction failed: Unknown return code";
    case Fault::ShortReply:
      return "Reply shorter than the data asked for";
    default:
      return "Kamera není připojena";
  }
}

class ScenarioBuilder {
 public:
  explicit ScenarioBuilder(const Combination& combination)
      : k_(combination), c_(combination.camera), classBit_(1u << c_.classNumber) {}

  std::string Build();

 private:
  // The wizard's ordinary actions, each with its effect on the model.
  void Start();
  void ClickAction();
  void ClickNext();
  void PowerOff();
  void PowerOn();
  void Choose();
  void ReadCamera();  // the reading of steps 1 and 3 with the camera as it is

  // The armed action injects the fault before its line and, once its
  // ordinary effect is in the model, applies Outcome() and checks everything.
  void Emit(const std::string& line);
  void Settle();
  void Inject();
  void Clear();
  void Outcome();
  void ReturnToStepOne();
  void Recover();
  void CheckState(bool full);
  std::string Key() const { return c_.serviceKey.empty() ? DriverKey(1030) : c_.serviceKey; }

  const Combination& k_;
  const CameraCase& c_;
  const std::uint32_t classBit_;
  ScriptWriter w_;
  Model m_;
  bool armed_ = false;
};

void ScenarioBuilder::Emit(const std::string& line) {
  if (armed_) {
    w_.Comment("the fault meets this action");
    Inject();
  }
  w_.Act(line);
}

void ScenarioBuilder::Settle() {
  if (!armed_) return;
  armed_ = false;
  Outcome();
  CheckState(true);
  Clear();
}

void ScenarioBuilder::ReadCamera() {
  if (!m_.linkOpen) {
    // Connect: the search clears the series bit; a camera without power is not found.
    m_.flags = m_.cameraOn ? (classBit_ | 1u) : 0u;
    m_.linkOpen = m_.cameraOn;
  }
  m_.showsData = m_.linkOpen;
  m_.nextEnabled = m_.showsData;
  m_.shownCount = m_.written ? CountOfItem(kCountItem) : c_.count;
}

void ScenarioBuilder::Start() {
  Emit("start");
  m_.windowOpen = true;
  m_.step = 1;
  m_.linkOpen = false;
  m_.flags = 0;
  ReadCamera();
  Settle();
}

void ScenarioBuilder::ClickAction() {
  Emit("click action");
  if (m_.step == 1 || m_.step == 3) {
    ReadCamera();
  } else if (m_.step == 4) {
    m_.written = true;
    m_.nextEnabled = true;
  }
  Settle();
}

void ScenarioBuilder::ClickNext() {
  Emit("click next");
  switch (m_.step) {
    case 1:
      m_.step = IsOskel(c_) ? 4 : 2;
      m_.nextEnabled = false;  // step 2 waits for the power cut; step 4 for a write
      break;
    case 3:
      m_.step = 4;
      m_.nextEnabled = false;
      break;
    case 4:
      m_.step = 5;
      m_.permission = false;
      m_.nextEnabled = true;
      break;
    case 5:
      m_.windowOpen = false;
      m_.linkOpen = false;
      break;
    default:
      throw std::logic_error("no next at step " + std::to_string(m_.step));
  }
  Settle();
}

// At step 2 the removal closes the link: the permission is set, step 3 is laid
// out and its reading finds no camera.
void ScenarioBuilder::PowerOff() {
  Emit("camera " + c_.name + " power off");
  m_.cameraOn = false;
  if (m_.step == 2 && m_.linkOpen) {
    m_.linkOpen = false;
    m_.permission = true;
    m_.step = 3;
    ReadCamera();
  } else {
    m_.linkOpen = false;
  }
  Settle();
}

void ScenarioBuilder::PowerOn() {
  w_.Act("camera " + c_.name + " power on");  // no registration while the link is closed: nothing happens
  m_.cameraOn = true;
}

void ScenarioBuilder::Choose() {
  w_.Act("choose count " + std::to_string(kCountItem));
  w_.Act("choose wheel " + std::to_string(kWheelItem));
}

void ScenarioBuilder::Inject() {
  const std::string cam = "fault " + c_.name + " ";
  const std::string after = " after=" + std::to_string(k_.instruction);
  switch (k_.fault) {
    case Fault::ZeroWrite:
      return w_.Act(cam + "zero-write" + after);
    case Fault::ZeroRead:
      return w_.Act(cam + "zero-read" + after);
    case Fault::Status81:
      return w_.Act(cam + "status=0x81" + after);
    case Fault::Status82:
      return w_.Act(cam + "status=0x82" + after);
    case Fault::Status83:
      return w_.Act(cam + "status=0x83" + after);
    case Fault::StatusUnknown:
      return w_.Act(cam + "status=0x84" + after);
    case Fault::ShortReply:
      return w_.Act(cam + "short-reply" + after);
    case Fault::PowerCutBefore:
      return w_.Act(cam + "power-cut-before" + after);
    case Fault::PowerCutAfter:
      return w_.Act(cam + "power-cut-after" + after);
    case Fault::IgnoreWrites:
      return w_.Act(cam + "ignore-writes");
    case Fault::CommandPipeFails:
      return w_.Act(cam + "open-fail=0");
    case Fault::DataPipeFails:
      return w_.Act(cam + "open-fail=1");
    case Fault::ThirdPipeFails:
      return w_.Act(cam + "open-fail=2");
    case Fault::DeviceOpenFails:
      return w_.Act(cam + "device-open-fail");
    case Fault::DriverKeyMissing:
      return w_.Act("regkey delete " + scenario::Quote(Key()));
    case Fault::DriverKeyReadOnly:
      return w_.Act("regkey readonly " + scenario::Quote(Key()));
    case Fault::NoAdministrator:
      return w_.Act("admin no");
  }
}

void ScenarioBuilder::Clear() {
  w_.Comment("the fault ends");
  w_.Act("fault " + c_.name + " clear");
  if (k_.fault == Fault::DriverKeyMissing) w_.Act("regkey create " + scenario::Quote(Key()));
  if (k_.fault == Fault::DriverKeyReadOnly) w_.Act("regkey writable " + scenario::Quote(Key()));
  if (k_.fault == Fault::NoAdministrator) w_.Act("admin yes");
  if (!m_.cameraOn) PowerOn();
}

void ScenarioBuilder::ReturnToStepOne() {
  m_.step = 1;
  ReadCamera();
}

// The program's rules for failures, by the step that meets the fault.
void ScenarioBuilder::Outcome() {
  const Fault f = k_.fault;
  const bool oskel = IsOskel(c_);
  if (k_.instruction >= 0) {
    const std::vector<Instruction> ops = InstructionsOf(c_, k_.step);
    const Instruction& op = ops[static_cast<std::size_t>(k_.instruction)];
    const bool harmless = op.write && f == Fault::ShortReply;  // a write's reply carries no data to cut
    m_.checkLastError = !harmless;
    m_.lastError = InstructionError(f);
    if (IsPowerCut(f)) m_.cameraOn = false;
    if (k_.step == 4) {
      // Every write before the faulted instruction went through.
      bool wroteBefore = false;
      for (int i = 0; i < k_.instruction; ++i) wroteBefore = wroteBefore || ops[static_cast<std::size_t>(i)].write;
      m_.written = wroteBefore || (op.write && WriteRuns(f));
      if (harmless) {
        m_.nextEnabled = true;
        return;
      }
      if (IsGone(f)) m_.linkOpen = false;
      m_.boxes.push_back(kEepromBox);
      return ReturnToStepOne();
    }
    // A reading at step 1 or 3: the pane says "Nepřipojena"; only a transfer
    // that moves nothing closes the link.
    if (IsGone(f)) m_.linkOpen = false;
    m_.flags = classBit_ | (m_.linkOpen ? 1u : 0u);
    m_.showsData = false;
    m_.nextEnabled = false;
    return;
  }

  switch (f) {
    case Fault::IgnoreWrites:
      if (k_.step == 4) {  // the write answers done, the read-back differs
        m_.written = false;
        m_.boxes.push_back(kEepromBox);
        ReturnToStepOne();
      }
      return;
    case Fault::CommandPipeFails:
    case Fault::DataPipeFails:
    case Fault::ThirdPipeFails:
      if (k_.step == 1 || k_.step == 3) {  // the device opens, a pipe does not
        m_.linkOpen = false;
        m_.flags = classBit_;
        m_.showsData = false;
        m_.nextEnabled = false;
        m_.checkLastError = true;
        m_.lastError = f == Fault::CommandPipeFails ? "DeviceInit failed, cannot open camera command pipe"
                                                    : "DeviceInit failed, cannot open camera data pipe";
      }
      return;
    case Fault::DeviceOpenFails:
      if (k_.step == 1 || k_.step == 3) {  // nothing opens: no class found, no text
        m_.linkOpen = false;
        m_.flags = 0;
        m_.showsData = false;
        m_.nextEnabled = false;
        m_.checkLastError = true;
        m_.lastError = "";
      }
      return;
    case Fault::DriverKeyMissing:
    case Fault::DriverKeyReadOnly:
    case Fault::NoAdministrator:
      if (f == Fault::DriverKeyMissing) m_.permission = false;  // the value goes with its key
      if (oskel) return;                                        // no check, no permission
      if (f == Fault::NoAdministrator && (k_.step == 1 || k_.step == 3)) {
        m_.boxes.push_back(kAdminBox);
        m_.windowOpen = false;
      } else if (k_.step == 2) {
        m_.boxes.push_back(kRegistryBox);
        m_.permission = false;
        m_.windowOpen = false;
      } else if (k_.step == 5 && f != Fault::DriverKeyMissing) {
        m_.permission = true;  // the removal fails quietly
      }
      return;
    default:
      throw std::logic_error("instruction fault without an instruction");
  }
}

void ScenarioBuilder::CheckState(bool full) {
  for (const Box& box : m_.boxes)
    w_.Expect("box \"Chyba\" " + scenario::Quote(box.line1) + " " + scenario::Quote(box.line2) + " \"\" " + box.icon);
  m_.boxes.clear();
  w_.Expect("nobox");
  if (!m_.windowOpen) {
    w_.Expect("window closed");
    w_.Expect("handles 0");
    w_.Expect("registrations 0");
  } else {
    w_.Expect("step " + std::to_string(m_.step));
    if (full) {
      w_.Expect(std::string("link ") + (m_.linkOpen ? "open" : "closed"));
      char flags[16];
      std::snprintf(flags, sizeof flags, "0x%03X", m_.flags);
      w_.Expect(std::string("flags ") + flags);
      w_.Expect("title " + scenario::Quote(m_.linkOpen ? c_.Title() : kDefaultTitle));
      if (m_.checkLastError) w_.Expect("lasterror " + scenario::Quote(m_.lastError));
      if (m_.step == 1 || m_.step == 3) {
        if (m_.showsData) {
          w_.Expect("pane id " + std::to_string(c_.id));
          w_.Expect("pane count " + scenario::Quote(CountText(m_.shownCount)));
        } else {
          w_.Expect("pane type " + scenario::Quote(kNotConnected));
          w_.Expect("pane id \"\"");
        }
      }
    }
    if (m_.step != 5) w_.Expect(std::string("button next \"Další ->\" ") + (m_.nextEnabled ? "enabled" : "disabled"));
  }
  if (full) {
    w_.Expect("diff " + c_.name + " " + (m_.written ? c_.ChoiceDiff(kCountItem, kWheelItem) : "none"));
    if (c_.NeedsPermission() && !c_.serviceKey.empty())
      w_.Expect("reg " + scenario::Quote(c_.serviceKey) + " AllowEEPROMWrite " + (m_.permission ? "1" : "absent"));
  }
}

// From wherever the fault left the program, the whole job once more.
void ScenarioBuilder::Recover() {
  if (!m_.windowOpen) {
    w_.Comment("the window closed: the user starts the program again");
    Start();
    CheckState(false);
  }
  if (m_.step == 1 || m_.step == 3) {
    if (!m_.showsData) ClickAction();
    CheckState(false);
    if (m_.step == 1) {
      ClickNext();
      if (!IsOskel(c_)) {
        PowerOff();
        PowerOn();
        ClickAction();
      }
    }
    if (m_.step == 3) ClickNext();
    CheckState(false);
  }
  if (m_.step == 4) {
    if (!m_.nextEnabled) {
      Choose();
      ClickAction();
    }
    CheckState(false);
    ClickNext();
  }
  if (m_.step == 5) {
    CheckState(false);
    ClickNext();
  }
  if (m_.windowOpen) throw std::logic_error("recovery did not finish at step " + std::to_string(m_.step));
}

std::string ScenarioBuilder::Build() {
  w_.Comment(k_.Name());
  w_.Act(c_.SetupLine());
  const int t = k_.step;

  armed_ = t == 1;
  Start();
  CheckState(false);
  if (!IsOskel(c_) && t > 1 && m_.windowOpen) {
    ClickNext();
    armed_ = t == 2;
    PowerOff();
    if (m_.windowOpen) {
      PowerOn();
      armed_ = t == 3;
      ClickAction();
    }
    CheckState(false);
  }
  if (t >= 4 && m_.windowOpen) {
    ClickNext();
    Choose();
    armed_ = t == 4;
    ClickAction();
    CheckState(t != 4);
    if (t == 5) {
      armed_ = true;
      ClickNext();
    }
  }

  Recover();
  w_.Comment("the end: exactly the choice, nothing left open");
  CheckState(true);
  w_.Expect("exit 0");
  return w_.Text();
}

}  // namespace

const char* FaultName(Fault fault) {
  switch (fault) {
    case Fault::ZeroWrite:
      return "zero-write";
    case Fault::ZeroRead:
      return "zero-read";
    case Fault::Status81:
      return "status-0x81";
    case Fault::Status82:
      return "status-0x82";
    case Fault::Status83:
      return "status-0x83";
    case Fault::StatusUnknown:
      return "status-0x84";
    case Fault::ShortReply:
      return "short-reply";
    case Fault::PowerCutBefore:
      return "power-cut-before";
    case Fault::PowerCutAfter:
      return "power-cut-after";
    case Fault::IgnoreWrites:
      return "ignore-writes";
    case Fault::CommandPipeFails:
      return "command-pipe-fails";
    case Fault::DataPipeFails:
      return "data-pipe-fails";
    case Fault::ThirdPipeFails:
      return "third-pipe-fails";
    case Fault::DeviceOpenFails:
      return "device-open-fails";
    case Fault::DriverKeyMissing:
      return "driver-key-missing";
    case Fault::DriverKeyReadOnly:
      return "driver-key-read-only";
    case Fault::NoAdministrator:
      return "no-administrator";
  }
  return "?";
}

std::string Combination::Name() const {
  std::string name = std::string(camera_model::SeriesName(camera.series)) + "-class" +
                     std::to_string(camera.classNumber) + "-step" + std::to_string(step);
  if (instruction >= 0) name += "-" + InstructionsOf(camera, step)[static_cast<std::size_t>(instruction)].text;
  return name + "-" + FaultName(fault);
}

std::vector<Combination> AllCombinations() {
  static const std::uint16_t kModels[] = {1027, 1028, 1029, 1030, 1200, 1201};
  std::vector<Combination> all;
  for (int cls = 1; cls <= 8; ++cls) {
    CameraCase c;
    c.classNumber = cls;
    c.series = camera_model::SeriesOfClass(cls);
    c.model = kModels[(cls - 1) % 6];
    c.serviceKey = c.series == CameraSeries::Oskel ? "" : DriverKey(c.model);
    c.id = 4000000000u + static_cast<std::uint32_t>(cls);  // bit 31 set: shown unsigned
    c.seed = 100 + static_cast<std::uint64_t>(cls);
    for (int step : StepsOf(c)) {
      const std::size_t ops = InstructionsOf(c, step).size();
      for (std::size_t i = 0; i < ops; ++i)
        for (Fault f : kInstructionFaults) all.push_back({c, step, static_cast<int>(i), f});
      for (Fault f : kStepFaults) all.push_back({c, step, -1, f});
    }
  }
  return all;
}

std::string BuildScenario(const Combination& combination) { return ScenarioBuilder(combination).Build(); }

}  // namespace reliability
