/* The camera bus: a kernel driver for the Wine test worlds only (it never
   ships). Windows tells a program that a camera lost or regained power
   through its plug-and-play manager, which sends the removal or arrival to
   the windows registered for the camera's interface class. Under Wine that
   happens only when a driver disables or enables a device interface, so the
   emulator asks this driver to do it for each camera's power cut and return.

   Its root devices ROOT\ZELTPNP\NNNN (made by zelt-bus-install) each stand
   for one emulated camera; each gets an interface of every class it is asked
   for. Those interfaces carry nothing: Wine cannot give them the camera's
   pipes (path\0 does not open on a driver's interface), and Wine opens a
   device whatever its driver answers. So once an interface is enabled its
   link is pointed at a device that does not exist: its path does not open,
   as a device that is gone, and a program searching the class passes over
   it to the emulator's own entry, whose pipes are the camera. (Between
   Wine's enabling and the new link the path opens for a moment; the bus's
   devices are named so that Windows lists them after the emulator's.) The
   control device \\.\ZeltCameraBus takes the emulator's requests
   (requests.h). */
#include <ddk/wdm.h>

#include "tools/camera_emulator/bus/requests.h"

#define CLASSES_PER_DEVICE 8 /* the camera classes */

/* A root device's function object's extension. */
typedef struct RootDevice {
  PDEVICE_OBJECT pdo;
  PDEVICE_OBJECT lower; /* what IRPs are passed on to */
  ULONG classes;        /* registered interfaces, below */
  GUID interfaceClass[CLASSES_PER_DEVICE];
  UNICODE_STRING link[CLASSES_PER_DEVICE]; /* the interface's symbolic link, ours to free */
  BOOLEAN enabled[CLASSES_PER_DEVICE];
} RootDevice;

static PDEVICE_OBJECT control;
static RootDevice *roots[ZELT_BUS_ROOT_DEVICES]; /* in the order Windows gave them; null once removed */
static ULONG rootCount;
static KMUTEX lock; /* roots and their interfaces; requests come from several of the emulator's threads */

static NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR information) {
  irp->IoStatus.Status = status;
  irp->IoStatus.Information = information;
  IoCompleteRequest(irp, IO_NO_INCREMENT);
  return status;
}

static void Lock(void) { KeWaitForSingleObject(&lock, Executive, KernelMode, FALSE, NULL); }
static void Unlock(void) { KeReleaseMutex(&lock, FALSE); }

/* The index of the root device's interface of that class, registered now if
   it has none yet; CLASSES_PER_DEVICE when it cannot be. */
static ULONG InterfaceOf(RootDevice *root, const GUID *interfaceClass, NTSTATUS *status) {
  ULONG i;
  *status = STATUS_SUCCESS;
  for (i = 0; i < root->classes; ++i)
    if (RtlCompareMemory(&root->interfaceClass[i], interfaceClass, sizeof(GUID)) == sizeof(GUID)) return i;
  if (root->classes == CLASSES_PER_DEVICE) {
    *status = STATUS_INSUFFICIENT_RESOURCES;
    return CLASSES_PER_DEVICE;
  }
  *status = IoRegisterDeviceInterface(root->pdo, interfaceClass, NULL, &root->link[i]);
  if (!NT_SUCCESS(*status)) return CLASSES_PER_DEVICE;
  root->interfaceClass[i] = *interfaceClass;
  root->enabled[i] = FALSE;
  root->classes = i + 1;
  return i;
}

static NTSTATUS SetInterface(RootDevice *root, const GUID *interfaceClass, BOOLEAN enable) {
  NTSTATUS status;
  UNICODE_STRING nowhere;
  const ULONG i = InterfaceOf(root, interfaceClass, &status);
  if (i == CLASSES_PER_DEVICE) return status;
  if (root->enabled[i] == enable) return STATUS_SUCCESS;
  status = IoSetDeviceInterfaceState(&root->link[i], enable);
  if (!NT_SUCCESS(status)) return status;
  root->enabled[i] = enable;
  if (enable) {
    /* Disabling deletes the link by its name, whatever it leads to. */
    RtlInitUnicodeString(&nowhere, ZELT_BUS_NOWHERE);
    IoDeleteSymbolicLink(&root->link[i]);
    status = IoCreateSymbolicLink(&root->link[i], &nowhere);
  }
  return status;
}

static void DisableAll(RootDevice *root) {
  ULONG i;
  for (i = 0; i < root->classes; ++i) {
    if (!root->enabled[i]) continue;
    IoSetDeviceInterfaceState(&root->link[i], FALSE);
    root->enabled[i] = FALSE;
  }
}

static NTSTATUS NTAPI CreateClose(PDEVICE_OBJECT device, PIRP irp) {
  (void)device;
  return Complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS NTAPI DeviceControl(PDEVICE_OBJECT device, PIRP irp) {
  PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
  const ULONG code = stack->Parameters.DeviceIoControl.IoControlCode;
  const ULONG in = stack->Parameters.DeviceIoControl.InputBufferLength;
  const ULONG out = stack->Parameters.DeviceIoControl.OutputBufferLength;
  void *buffer = irp->AssociatedIrp.SystemBuffer;
  NTSTATUS status = STATUS_INVALID_PARAMETER;
  ULONG_PTR information = 0;
  if (device != control) return Complete(irp, STATUS_INVALID_DEVICE_REQUEST, 0);
  Lock();
  if (code == ZELT_BUS_SET_INTERFACE && in == sizeof(ZeltBusInterface)) {
    ZeltBusInterface request;
    RtlCopyMemory(&request, buffer, sizeof(request));
    if (request.device < rootCount && roots[request.device] != NULL)
      status = SetInterface(roots[request.device], &request.interfaceClass, request.enable != 0);
    else
      status = STATUS_NO_SUCH_DEVICE;
  } else if (code == ZELT_BUS_RESET && out >= sizeof(ULONG)) {
    ULONG i;
    for (i = 0; i < rootCount; ++i)
      if (roots[i] != NULL) DisableAll(roots[i]);
    RtlCopyMemory(buffer, &rootCount, sizeof(rootCount));
    information = sizeof(rootCount);
    status = STATUS_SUCCESS;
  }
  Unlock();
  return Complete(irp, status, information);
}

static NTSTATUS NTAPI Pnp(PDEVICE_OBJECT device, PIRP irp) {
  RootDevice *root = device->DeviceExtension;
  const UCHAR minor = IoGetCurrentIrpStackLocation(irp)->MinorFunction;
  PDEVICE_OBJECT lower;
  NTSTATUS status;
  ULONG i;
  if (device == control) return Complete(irp, STATUS_NOT_SUPPORTED, 0);
  lower = root->lower;
  if (minor == IRP_MN_REMOVE_DEVICE) {
    Lock();
    DisableAll(root);
    for (i = 0; i < rootCount; ++i)
      if (roots[i] == root) roots[i] = NULL;
    for (i = 0; i < root->classes; ++i) RtlFreeUnicodeString(&root->link[i]);
    root->classes = 0;
    Unlock();
  }
  IoSkipCurrentIrpStackLocation(irp);
  status = IoCallDriver(lower, irp);
  if (minor == IRP_MN_REMOVE_DEVICE) {
    IoDetachDevice(lower);
    IoDeleteDevice(device);
  }
  return status;
}

static NTSTATUS NTAPI AddDevice(PDRIVER_OBJECT driver, PDEVICE_OBJECT pdo) {
  PDEVICE_OBJECT fdo;
  RootDevice *root;
  NTSTATUS status = IoCreateDevice(driver, sizeof(RootDevice), NULL, FILE_DEVICE_UNKNOWN, 0, FALSE, &fdo);
  if (!NT_SUCCESS(status)) return status;
  root = fdo->DeviceExtension;
  RtlZeroMemory(root, sizeof(*root));
  root->pdo = pdo;
  root->lower = IoAttachDeviceToDeviceStack(fdo, pdo);
  if (root->lower == NULL) {
    IoDeleteDevice(fdo);
    return STATUS_NO_SUCH_DEVICE;
  }
  Lock();
  if (rootCount < ZELT_BUS_ROOT_DEVICES) roots[rootCount++] = root;
  Unlock();
  fdo->Flags &= ~DO_DEVICE_INITIALIZING;
  return STATUS_SUCCESS;
}

static void NTAPI Unload(PDRIVER_OBJECT driver) {
  UNICODE_STRING dosName;
  (void)driver;
  RtlInitUnicodeString(&dosName, ZELT_BUS_DOS_NAME);
  IoDeleteSymbolicLink(&dosName);
  IoDeleteDevice(control);
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
  UNICODE_STRING name, dosName;
  NTSTATUS status;
  (void)registryPath;
  KeInitializeMutex(&lock, 0);
  RtlInitUnicodeString(&name, ZELT_BUS_DEVICE_NAME);
  RtlInitUnicodeString(&dosName, ZELT_BUS_DOS_NAME);
  status = IoCreateDevice(driver, 0, &name, FILE_DEVICE_UNKNOWN, 0, FALSE, &control);
  if (!NT_SUCCESS(status)) return status;
  status = IoCreateSymbolicLink(&dosName, &name);
  if (!NT_SUCCESS(status)) {
    IoDeleteDevice(control);
    return status;
  }
  driver->MajorFunction[IRP_MJ_CREATE] = CreateClose;
  driver->MajorFunction[IRP_MJ_CLOSE] = CreateClose;
  driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DeviceControl;
  driver->MajorFunction[IRP_MJ_PNP] = Pnp;
  driver->DriverExtension->AddDevice = AddDevice;
  driver->DriverUnload = Unload;
  return STATUS_SUCCESS;
}
