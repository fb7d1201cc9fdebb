// The wizard's layouts and step actions. The calls into the camera link and
// back (Connect, Disconnect at step 2) are re-entrant; each chain ends because
// WizardStep changes before the inner call.
#include "config/wizard.h"

#include "config/blocks.h"
#include "config/commands.h"
#include "config/permission.h"
#include "config/wizard_texts.h"
#include "core/memory.h"
#include "core/text.h"
#include "lib/view/controls.h"
#include "lib/view/message_box.h"
#include "lib/view/window.h"
#include "ui/camera_info_pane.h"

namespace config {

namespace {

constexpr std::size_t kValueMax = 31;

template <std::size_t N>
void SetText(char (&field)[N], std::string_view text) {
  core::CopyA(N - 1, field, text);
}

template <std::size_t N>
void ClearText(char (&field)[N]) {
  field[0] = '\0';
}

template <typename T>
void Invalidate(T* view) {
  if (view != nullptr) view->InvalidateView();
}

// Ends a view and forgets it: the toolkit frees it later.
template <typename T>
void End(T*& view) {
  if (view == nullptr) return;
  T* ended = view;
  view = nullptr;
  ended->Done();
}

}  // namespace

CWizard::CWizard(CWindow& window, WizardState& state, WizardViews& views, camera::CCameraLink& link)
    : window_(window), state_(state), views_(views), link_(link) {}

void CWizard::AdvanceStep() {
  switch (state_.WizardStep) {
    case 0:
      LayOutStepOne();
      break;
    case 1:
      LayOutStepTwo();
      break;
    case 2:
      LayOutStepThree();
      break;
    case 3:
      LayOutStepFour();
      break;
    case 4:
      LayOutStepFive();
      break;
    case 5:
      RequestClose();
      break;
    default:
      break;
  }
}

void CWizard::PerformStepAction() {
  switch (state_.WizardStep) {
    case 1:
    case 3:
      ReadCameraBlocks();
      break;
    case 2:
      PowerOffCheck();
      break;
    case 4:
      WriteConfiguration();
      break;
    default:
      break;
  }
}

void CWizard::MakeActionButton() {
  const int H = window_.InteriorHeight();
  const int W = window_.InteriorWidth();
  views_.ActionButton = new CButton;
  views_.ActionButton->Init(CRect(8, H - 32, (W - 24) / 2, 0), CmdPerformStep, texts::kFindCamera, 0);
  window_.Register(views_.ActionButton);
  views_.ActionButton->Show();
}

void CWizard::LayOutStepOne() {
  const int W = window_.InteriorWidth();
  const int H = window_.InteriorHeight();
  CCameraInfoPane* pane = new CCameraInfoPane;
  views_.InfoPane = pane;
  pane->Init(CRect(8, 8, W - 16, H - 40));
  window_.Register(pane);
  SetText(pane->StepTitle, texts::kStep1);
  SetText(pane->TextLine1, texts::kConnectAndFind);
  pane->Show();

  MakeActionButton();

  const CRect& action = views_.ActionButton->Rect();
  views_.NextButton = new CButton;
  views_.NextButton->Init(CRect(W - action.width - 8, action.y, action.width, action.height), CmdAdvanceStep,
                          texts::kNext, 0);
  window_.Register(views_.NextButton);
  views_.NextButton->Show();

  state_.WizardStep = 1;
  PerformStepAction();
}

void CWizard::LayOutStepTwo() {
  if ((Series() & camera::kOskelMask) != 0) {
    // Oskel cameras need no power cycle: straight to the choice.
    state_.WizardStep = 3;
    AdvanceStep();
    return;
  }
  SetText(views_.InfoPane->StepTitle, texts::kStep2);
  SetText(views_.InfoPane->TextLine1, texts::kRemovePower);
  End(views_.ActionButton);
  state_.WizardStep = 2;
  PerformStepAction();
}

void CWizard::LayOutStepThree() {
  MakeActionButton();
  SetText(views_.InfoPane->StepTitle, texts::kStep3);
  SetText(views_.InfoPane->TextLine1, texts::kReconnectAndFind);
  state_.WizardStep = 3;
  PerformStepAction();
}

void CWizard::LayOutStepFour() {
  const bool oskel = (Series() & camera::kOskelMask) != 0;
  CCameraInfoPane* pane = views_.InfoPane;
  if (oskel)
    SetText(pane->StepTitle, texts::kStep2);
  else
    SetText(pane->StepTitle, texts::kStep4);
  SetText(pane->TextLine1, texts::kChooseCount);
  pane->InvalidateView();

  const int P = pane->Rect().width;
  views_.FilterCountBox = new CComboBox;
  views_.FilterCountBox->Init(CRect(108, 101, P - 100, 0), 0, false);
  window_.RegisterFirst(views_.FilterCountBox);
  for (int item = 1; item <= kFilterCountChoiceCount; ++item) {
    const std::string_view text = FilterCountChoiceText(item);
    views_.FilterCountBox->AddItem(text.size(), text.data(), 0);
  }
  views_.FilterCountBox->FinishItems();
  const int countItem = FilterCountItem(GetFilterCount(state_, link_.LinkFlags));
  if (countItem != 0) views_.FilterCountBox->SetSelection(countItem);
  views_.FilterCountBox->Show();

  views_.WheelTypeBox = new CComboBox;
  views_.WheelTypeBox->Init(CRect(108, 125, P - 100, 0), 0, false);
  window_.RegisterFirst(views_.WheelTypeBox);
  for (bool revision2 : {false, true}) {
    const std::string_view text = WheelTypeText(revision2);
    views_.WheelTypeBox->AddItem(text.size(), text.data(), 0);
  }
  views_.WheelTypeBox->FinishItems();
  views_.WheelTypeBox->SetSelection(IsWheelRevision2(state_, link_.LinkFlags) ? 2 : 1);
  views_.WheelTypeBox->Show();

  views_.ActionButton->Init(views_.ActionButton->Rect(), CmdPerformStep, texts::kWriteFilters, 0);
  views_.ActionButton->InvalidateView();
  views_.NextButton->Disable();
  state_.WizardStep = 4;
}

void CWizard::LayOutStepFive() {
  const bool oskel = (Series() & camera::kOskelMask) != 0;
  if (!oskel) RemoveDriverWritePermission(state_.IdentityCopy);

  CCameraInfoPane* pane = views_.InfoPane;
  if (oskel)
    SetText(pane->StepTitle, texts::kStep3);
  else
    SetText(pane->StepTitle, texts::kStep5);
  SetText(pane->TextLine1, texts::kWritten);
  SetText(pane->TextLine2, texts::kToTakeEffect);
  SetText(pane->TextLine3, texts::kPowerCycleAgain);
  pane->InvalidateView();

  End(views_.FilterCountBox);
  End(views_.WheelTypeBox);
  End(views_.ActionButton);

  views_.NextButton->Init(views_.NextButton->Rect(), CmdAdvanceStep, texts::kFinish, 0);
  views_.NextButton->InvalidateView();
  state_.WizardStep = 5;
}

void CWizard::ReadCameraBlocks() {
  if (!link_.IsOpen()) {
    link_.Connect();
    if (!link_.IsOpen()) {
      ShowNotConnected();
      return;
    }
  }

  if ((Series() & camera::kOskelMask) != 0) {
    if (link_.ReadMemory(kOskelConfigAddress, kZeltBlockSize, state_.ZeltBlockCopy)) {
      KeepDevicePath();
      ShowCameraData();
    } else {
      ShowNotConnected();
    }
    return;
  }

  if (!IsAdministrator()) {
    ErrorBox(texts::kAdminLine1, texts::kAdminLine2, false);
    RequestClose();
    ShowNotConnected();
    return;
  }

  const bool ravik = SeriesOf(link_.LinkFlags) == Series::Ravik;
  const std::size_t blockSize = ravik ? kRavikBlockSize : kZeltBlockSize;
  std::uint8_t identity[kIdentitySize];
  std::uint8_t block[kZeltBlockSize];
  if (!link_.ReadMemoryShort(kIdentityAddress, kIdentitySize, identity) ||
      !link_.ReadMemoryShort(kConfigShortAddress, blockSize, block)) {
    ShowNotConnected();
    return;
  }

  std::uint8_t* kept = ravik ? state_.RavikBlockCopy : state_.ZeltBlockCopy;
  if (state_.WizardStep == 1) {
    core::Move(identity, state_.IdentityCopy, kIdentitySize);
    core::Move(block, kept, blockSize);
    KeepDevicePath();
    ShowCameraData();
    return;
  }

  // Step 3: the camera connected again must be the same one, byte for byte.
  if (core::Compare(identity, state_.IdentityCopy, kIdentitySize) != kIdentitySize ||
      core::Compare(block, kept, blockSize) != blockSize) {
    ErrorBox(texts::kMismatchLine1, texts::kMismatchLine2, false);
    ReturnToStepOne();
    return;
  }
  KeepDevicePath();
  ShowCameraData();
}

void CWizard::KeepDevicePath() {
  core::CopyA(camera::kDevicePathMax, state_.KeptDevicePath, camera::kDevicePathMax, link_.DevicePath);
}

bool CWizard::IsKeptDevice() const {
  const std::size_t length = core::LengthA(camera::kDevicePathMax, link_.DevicePath);
  return length != 0 && core::Compare(link_.DevicePath, state_.KeptDevicePath, length + 1) == length + 1;
}

void CWizard::ShowCameraData() {
  CCameraInfoPane* pane = views_.InfoPane;
  CameraTypeText(state_, link_.LinkFlags, kValueMax, pane->CameraTypeText);
  CameraIdText(state_, link_.LinkFlags, kValueMax, pane->CameraIdText);
  core::CopyA(kValueMax, pane->FilterCountText, FilterCountText(GetFilterCount(state_, link_.LinkFlags)));
  core::CopyA(kValueMax, pane->FilterWheelText, WheelTypeText(IsWheelRevision2(state_, link_.LinkFlags)));
  if (views_.NextButton != nullptr) views_.NextButton->Enable();
  pane->InvalidateView();
}

void CWizard::ShowNotConnected() {
  CCameraInfoPane* pane = views_.InfoPane;
  SetText(pane->CameraTypeText, texts::kNotConnected);
  ClearText(pane->CameraIdText);
  ClearText(pane->FilterCountText);
  if (views_.NextButton != nullptr) views_.NextButton->Disable();
  pane->InvalidateView();
}

void CWizard::PowerOffCheck() {
  CCameraInfoPane* pane = views_.InfoPane;
  if (link_.IsOpen()) {
    // The camera still has power: wait for its removal.
    views_.NextButton->Disable();
    pane->InvalidateView();
    return;
  }
  SetText(pane->CameraTypeText, texts::kNotConnected);
  ClearText(pane->CameraIdText);
  ClearText(pane->FilterCountText);
  views_.NextButton->Enable();
  if (!SetDriverWritePermission(state_.IdentityCopy)) {
    ErrorBox(texts::kRegistryLine1, texts::kRegistryLine2, true);
    RequestClose();
  }
  pane->InvalidateView();
}

void CWizard::WriteConfiguration() {
  if (!link_.IsOpen()) {
    ErrorBox(texts::kNoCameraLine1, texts::kNoCameraLine2, true);
    ReturnToStepOne();
    return;
  }
  // An arrival at step 3 or 4 reconnects to the first camera found, which need
  // not be the one that was read: another camera must never get this block.
  if (!IsKeptDevice()) {
    ErrorBox(texts::kMismatchLine1, texts::kMismatchLine2, false);
    ReturnToStepOne();
    return;
  }

  SetFilterCount(state_, link_.LinkFlags, views_.FilterCountBox->GetSelection());
  SetWheelRevision2(state_, link_.LinkFlags, views_.WheelTypeBox->GetSelection() != 1);

  std::uint8_t readBack[kZeltBlockSize];
  bool verified = false;
  switch (SeriesOf(link_.LinkFlags)) {
    case Series::Ravik:
      verified = link_.WriteMemoryShort(kConfigShortAddress, kRavikBlockSize, state_.RavikBlockCopy) &&
                 link_.ReadMemoryShort(kConfigShortAddress, kRavikBlockSize, readBack) &&
                 core::Compare(readBack, state_.RavikBlockCopy, kRavikBlockSize) == kRavikBlockSize;
      break;
    case Series::Oskel:
      verified = link_.WriteMemory(kOskelConfigAddress, kOskelFirstPiece, state_.ZeltBlockCopy) &&
                 link_.WriteMemory(kOskelSecondAddress, kZeltBlockSize - kOskelFirstPiece,
                                   state_.ZeltBlockCopy + kOskelFirstPiece) &&
                 link_.ReadMemory(kOskelConfigAddress, kZeltBlockSize, readBack) &&
                 core::Compare(readBack, state_.ZeltBlockCopy, kZeltBlockSize) == kZeltBlockSize;
      break;
    case Series::Zelt:
      verified = link_.WriteMemoryShort(kConfigShortAddress, kZeltBlockSize, state_.ZeltBlockCopy) &&
                 link_.ReadMemoryShort(kConfigShortAddress, kZeltBlockSize, readBack) &&
                 core::Compare(readBack, state_.ZeltBlockCopy, kZeltBlockSize) == kZeltBlockSize;
      break;
  }

  if (verified) {
    views_.NextButton->Enable();
    return;
  }
  ErrorBox(texts::kEepromLine1, texts::kEepromLine2, true);
  ReturnToStepOne();
}

void CWizard::ReturnToStepOne() {
  const bool fromStepFour = state_.WizardStep == 4;
  state_.WizardStep = 0;
  End(views_.InfoPane);
  End(views_.ActionButton);
  End(views_.NextButton);
  if (fromStepFour) {
    End(views_.FilterCountBox);
    End(views_.WheelTypeBox);
  }
  AdvanceStep();
}

void CWizard::ErrorBox(std::string_view line1, std::string_view line2, bool stopIcon) {
  DoMessageBox(&window_, texts::kErrorTitle, line1, line2, "", stopIcon ? piStop : piInfo32);
}

void CWizard::RequestClose() {
  TEvent close;
  close.eventClass = view::kCommandClass;
  close.command = CmdClose;
  window_.MakeEvent(&close);
}

}  // namespace config
