/* What the camera emulator asks of the camera bus driver, shared by the
   driver (C, kernel mode) and the programs that talk to it (C++). Include
   <ddk/wdm.h> or <windows.h> with <winioctl.h> first. */
#pragma once

/* The driver's service, its file in system32\drivers, and its root devices
   ROOT\ZELTPNP\0000 to ...0007: one per camera that can be emulated at once.
   (Their interfaces are listed after the emulator's ROOT\ZELTCAM ones.) */
#define ZELT_BUS_SERVICE "ZeltCameraBus"
#define ZELT_BUS_FILE "zelt-camera-bus.sys"
#define ZELT_BUS_ENUMERATOR "ROOT\\ZELTPNP"
#define ZELT_BUS_ROOT_DEVICES 8

/* The device the emulator opens (\\.\ZeltCameraBus). */
#define ZELT_BUS_DEVICE_NAME L"\\Device\\ZeltCameraBus"
#define ZELT_BUS_DOS_NAME L"\\DosDevices\\ZeltCameraBus"
#define ZELT_BUS_PATH "\\\\.\\ZeltCameraBus"
/* What an enabled interface's link leads to: no device. */
#define ZELT_BUS_NOWHERE L"\\Device\\ZeltCameraBusNowhere"

/* In: one ZeltBusInterface. Registers the root device's interface of that
   class once, then enables or disables it: Windows (and Wine) send the
   arrival or removal to the windows registered for the class. */
#define ZELT_BUS_SET_INTERFACE CTL_CODE(FILE_DEVICE_UNKNOWN, 0x800, METHOD_BUFFERED, FILE_ANY_ACCESS)
/* Disables every interface of the root devices (an emulator before may have
   ended with cameras powered). Out: one 32-bit count, the root devices the
   driver has been given so far. */
#define ZELT_BUS_RESET CTL_CODE(FILE_DEVICE_UNKNOWN, 0x801, METHOD_BUFFERED, FILE_ANY_ACCESS)

typedef struct ZeltBusInterface {
  GUID interfaceClass;
  unsigned long device; /* 0 .. ZELT_BUS_ROOT_DEVICES - 1 */
  unsigned long enable; /* 1: arrival, 0: removal */
} ZeltBusInterface;
