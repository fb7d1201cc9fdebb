#include "tools/desktop/panel_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Int_Input.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Spinner.H>

#include "core/cp1250.h"
#include "lib/view/fltk/fltk.h"
#include "tools/desktop/hex_view.h"

namespace desktop {
namespace {

constexpr int kWidth = 550;
constexpr int kHeight = 414;
constexpr int kRow = 24;
constexpr double kRefreshSeconds = 0.3;
constexpr int kDefaultClass = 4;  // a Zelt camera
constexpr int kMaxAfter = 999;

// A menu item name that Fl_Menu_::add takes literally.
std::string MenuText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '/' || c == '\\' || c == '&' || c == '_') out += '\\';
    out += c;
  }
  return out;
}

int ChoiceIndexOf(const Fl_Choice* choice, const std::string& text) {
  for (int i = 0; i < choice->size() - 1; ++i) {
    const char* label = choice->menu()[i].label();
    if (label != nullptr && text == label) return i;
  }
  return -1;
}

}  // namespace

PanelWindow::PanelWindow(int x, int y, PanelModel& model)
    : Fl_Double_Window(x, y, kWidth, kHeight, "Virtual camera"), model_(model) {
  icon(view::fltk::ProgramIcon(32));

  auto* addGroup = new Fl_Group(10, 10, kWidth - 20, 116, "Add a camera");
  addGroup->box(FL_ENGRAVED_FRAME);
  addGroup->align(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE);
  classChoice_ = new Fl_Choice(70, 34, 110, kRow, "Class");
  for (int n = 1; n <= 8; ++n)
    classChoice_->add(
        MenuText(std::to_string(n) + " " + camera_model::SeriesName(camera_model::SeriesOfClass(n))).c_str());
  classChoice_->value(kDefaultClass - 1);
  modelInput_ = new Fl_Int_Input(250, 34, 70, kRow, "Model");
  modelInput_->value("1030");
  idInput_ = new Fl_Int_Input(390, 34, 150, kRow, "ID");
  idInput_->value("52417");
  typeInput_ = new Fl_Input(70, 64, 110, kRow, "Type");
  typeInput_->value("Zelt KAF");
  countInput_ = new Fl_Spinner(250, 64, 70, kRow, "Filters");
  countInput_->type(FL_INT_INPUT);
  countInput_->range(0, 255);
  countInput_->value(5);
  wheelChoice_ = new Fl_Choice(390, 64, 150, kRow, "Wheel");
  wheelChoice_->add(MenuText("1 IFW, EFW revize 1").c_str());
  wheelChoice_->add(MenuText("2 EFW revize 2").c_str());
  wheelChoice_->value(0);
  powerOnAdd_ = new Fl_Check_Button(70, 94, 120, kRow, "Power on");
  powerOnAdd_->value(1);
  auto* add = new Fl_Button(440, 94, 100, kRow, "Add");
  add->callback(OnAdd, this);
  addGroup->end();

  cameraChoice_ = new Fl_Choice(70, 138, 150, kRow, "Camera");
  cameraChoice_->callback(OnCamera, this);
  powerButton_ = new Fl_Light_Button(232, 138, 90, kRow, "Power");
  powerButton_->callback(OnPower, this);
  adminButton_ = new Fl_Check_Button(390, 138, 150, kRow, "Administrator rights");
  adminButton_->callback(OnAdmin, this);

  faultChoice_ = new Fl_Choice(70, 170, 150, kRow, "Fault");
  for (const camera_model::Fault& fault : FaultMenu()) faultChoice_->add(MenuText(MenuLabel(fault)).c_str());
  faultChoice_->value(0);
  statusInput_ = new Fl_Input(280, 170, 50, kRow, "Status");
  statusInput_->value("0x01");
  afterInput_ = new Fl_Spinner(380, 170, 50, kRow, "After");
  afterInput_->type(FL_INT_INPUT);
  afterInput_->range(0, kMaxAfter);
  afterInput_->value(0);
  auto* inject = new Fl_Button(440, 170, 100, kRow, "Inject");
  inject->callback(OnInject, this);
  faultsText_ = new Fl_Box(70, 198, 360, kRow);
  faultsText_->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
  auto* clear = new Fl_Button(440, 198, 100, kRow, "Clear faults");
  clear->callback(OnClear, this);

  blockTitle_ = new Fl_Box(10, 234, 420, kRow);
  blockTitle_->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
  auto* read = new Fl_Button(440, 234, 100, kRow, "Read");
  read->callback(OnRead, this);
  hexView_ = new HexView(10, 262, kWidth - 20, 72);
  permissionText_ = new Fl_Box(10, 338, kWidth - 20, kRow);
  permissionText_->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
  keyText_ = new Fl_Box(10, 358, kWidth - 20, kRow);
  keyText_->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
  keyText_->labelcolor(fl_rgb_color(96, 96, 96));
  statusText_ = new Fl_Box(10, 384, kWidth - 20, kRow);
  statusText_->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
  statusText_->labelcolor(FL_DARK_RED);
  end();
  size_range(kWidth, kHeight, kWidth, kHeight);

  Refresh();
  Fl::add_timeout(kRefreshSeconds, OnTimer, this);
}

PanelWindow::~PanelWindow() { Fl::remove_timeout(OnTimer, this); }

bool PanelWindow::AddCamera(const camera_model::NewCamera& camera, std::string& error) {
  // pathlen= is for the Windows camera emulator, which makes its own device paths.
  if (camera.pathLen != 0) {
    error = "the Virtual camera window plugs cameras in with their own paths";
  } else if (model_.AddCamera(camera, error)) {
    Report("added " + camera.name);
    Refresh();
    Select(camera.name);
    BlockReading reading;
    return ReadBlock(camera.name, reading, error);
  }
  Report(error);
  return false;
}

bool PanelWindow::SetPower(const std::string& name, bool on, std::string& error) {
  const bool done = model_.SetPower(name, on, error);
  Report(done ? name + (on ? ": power on" : ": power off") : error);
  Refresh();
  return done;
}

void PanelWindow::SetAdministrator(bool yes) {
  model_.SetAdministrator(yes);
  Report(yes ? "administrator rights on" : "administrator rights off");
  Refresh();
}

bool PanelWindow::InjectFault(const std::string& name, const camera_model::Fault& fault, std::string& error) {
  const bool done = model_.InjectFault(name, fault, error);
  Report(done ? name + ": " + camera_model::Describe(fault) : error);
  Refresh();
  return done;
}

bool PanelWindow::ClearFaults(const std::string& name, std::string& error) {
  const bool done = model_.ClearFaults(name, error);
  Report(done ? name + ": clear" : error);
  Refresh();
  return done;
}

bool PanelWindow::ReadBlock(const std::string& name, BlockReading& reading, std::string& error) {
  if (!model_.ReadBlock(name, reading, error)) {
    Report(error);
    return false;
  }
  Select(name);
  reading_ = reading;
  readingOf_ = name;
  hasReading_ = true;
  hexView_->Show(reading_);
  std::size_t changed = 0;
  for (bool c : reading.changed) changed += c ? 1 : 0;
  char address[16];
  std::snprintf(address, sizeof address, "0x%X", static_cast<unsigned>(reading.address));
  blockLabel_ = name + ": block at " + address + ", " + std::to_string(reading.bytes.size()) + " bytes, " +
                std::to_string(changed) + " changed since the last reading";
  blockTitle_->label(blockLabel_.c_str());
  Report("");
  return true;
}

void PanelWindow::Refresh() {
  const std::vector<std::string> names = model_.CameraNames();
  bool same = static_cast<int>(names.size()) == cameraChoice_->size() - 1;
  for (std::size_t i = 0; same && i < names.size(); ++i)
    same = ChoiceIndexOf(cameraChoice_, names[i]) == static_cast<int>(i);
  if (!same) {
    const std::string selected = Selected();
    cameraChoice_->clear();
    for (const std::string& name : names) cameraChoice_->add(MenuText(name).c_str());
    const int index = ChoiceIndexOf(cameraChoice_, selected);
    cameraChoice_->value(index >= 0 ? index : (names.empty() ? -1 : 0));
  }
  const std::string name = Selected();
  camera_model::Camera* camera = name.empty() ? nullptr : model_.Find(name);
  if (camera != nullptr) {
    powerButton_->activate();
    powerButton_->value(camera->power ? 1 : 0);
    std::string faults;
    for (const std::string& fault : model_.DescribeFaults(name)) faults += (faults.empty() ? "" : ", ") + fault;
    faultsLabel_ = "Active: " + (faults.empty() ? std::string("none") : faults);
    const PermissionState state = model_.Permission(name);
    permissionLabel_ = "AllowEEPROMWrite: " + Describe(state);
    keyLabel_ = state.key;
  } else {
    powerButton_->deactivate();
    powerButton_->value(0);
    faultsLabel_ = "Active: none";
    permissionLabel_ = "AllowEEPROMWrite: no camera";
    keyLabel_.clear();
  }
  if (!hasReading_ || readingOf_ != name) {
    hexView_->Clear();
    blockLabel_ = camera != nullptr ? name + ": press Read for its configuration block" : "No camera yet";
    blockTitle_->label(blockLabel_.c_str());
    hasReading_ = false;
  }
  adminButton_->value(model_.Administrator() ? 1 : 0);
  faultsText_->label(faultsLabel_.c_str());
  permissionText_->label(permissionLabel_.c_str());
  keyText_->label(keyLabel_.c_str());
  redraw();
}

void PanelWindow::Report(const std::string& text) {
  status_ = text;
  statusText_->label(status_.c_str());
}

std::string PanelWindow::Selected() const {
  const Fl_Menu_Item* item = cameraChoice_->mvalue();
  return item != nullptr && item->label() != nullptr ? item->label() : std::string();
}

void PanelWindow::Select(const std::string& name) {
  const int index = ChoiceIndexOf(cameraChoice_, name);
  if (index >= 0) cameraChoice_->value(index);
}

void PanelWindow::OnAdd(Fl_Widget*, void* data) {
  auto* panel = static_cast<PanelWindow*>(data);
  SetupFields fields;
  fields.classNumber = panel->classChoice_->value() + 1;
  fields.model = panel->modelInput_->value();
  fields.id = panel->idInput_->value();
  fields.typeText = panel->typeInput_->value();
  fields.count = static_cast<int>(panel->countInput_->value());
  fields.wheel = panel->wheelChoice_->value() + 1;
  camera_model::NewCamera camera;
  camera.name = panel->model_.UnusedName();
  camera.power = panel->powerOnAdd_->value() != 0;
  std::string error;
  if (!SetupOf(fields, camera.setup, error))
    panel->Report(error);
  else
    panel->AddCamera(camera, error);
}

void PanelWindow::OnCamera(Fl_Widget*, void* data) {
  auto* panel = static_cast<PanelWindow*>(data);
  std::string error;
  BlockReading reading;
  const std::string name = panel->Selected();
  if (!name.empty()) panel->ReadBlock(name, reading, error);
  panel->Refresh();
}

void PanelWindow::OnPower(Fl_Widget* widget, void* data) {
  auto* panel = static_cast<PanelWindow*>(data);
  std::string error;
  panel->SetPower(panel->Selected(), static_cast<Fl_Light_Button*>(widget)->value() != 0, error);
}

void PanelWindow::OnAdmin(Fl_Widget* widget, void* data) {
  static_cast<PanelWindow*>(data)->SetAdministrator(static_cast<Fl_Check_Button*>(widget)->value() != 0);
}

void PanelWindow::OnInject(Fl_Widget*, void* data) {
  auto* panel = static_cast<PanelWindow*>(data);
  const int index = panel->faultChoice_->value();
  if (index < 0 || index >= static_cast<int>(FaultMenu().size())) return;
  camera_model::Fault fault = FaultMenu()[static_cast<std::size_t>(index)];
  fault.after = static_cast<int>(panel->afterInput_->value());
  std::string error;
  if (fault.kind == camera_model::FaultKind::Status &&
      !camera_model::ParseStatus(panel->statusInput_->value(), fault.status, error))
    panel->Report(error);
  else
    panel->InjectFault(panel->Selected(), fault, error);
}

void PanelWindow::OnClear(Fl_Widget*, void* data) {
  auto* panel = static_cast<PanelWindow*>(data);
  std::string error;
  panel->ClearFaults(panel->Selected(), error);
}

void PanelWindow::OnRead(Fl_Widget*, void* data) {
  auto* panel = static_cast<PanelWindow*>(data);
  std::string error;
  BlockReading reading;
  const std::string name = panel->Selected();
  if (name.empty())
    panel->Report("add a camera first");
  else
    panel->ReadBlock(name, reading, error);
}

void PanelWindow::OnTimer(void* data) {
  auto* panel = static_cast<PanelWindow*>(data);
  if (panel->shown()) panel->Refresh();
  Fl::repeat_timeout(kRefreshSeconds, OnTimer, data);
}

}  // namespace desktop
