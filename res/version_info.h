/* The program's version resource, defined once for the Windows resource
   compiler and for the simulated platform. Strings are UTF-8 here; the resource
   script and the simulator store them as Windows-1250 / UTF-16.
   The four numbers below are the program's one version: the version resource,
   the window and About box title, the manifest and the release's file names
   (cmake/ZeltVersion.cmake reads them) all take it from here. */
#ifndef ZELTFW_RES_VERSION_INFO_H
#define ZELTFW_RES_VERSION_INFO_H

#define ZELT_VER_MAJOR 3
#define ZELT_VER_MINOR 0
#define ZELT_VER_PATCH 0
#define ZELT_VER_BUILD 0
#define ZELT_VER_TEXT_(n) #n
#define ZELT_VER_TEXT(n) ZELT_VER_TEXT_(n)
/* "3.0" for the title, "3.0.0.0" for the version strings */
#define ZELT_VER_SHORT ZELT_VER_TEXT(ZELT_VER_MAJOR) "." ZELT_VER_TEXT(ZELT_VER_MINOR)
#define ZELT_VER_DOTTED ZELT_VER_SHORT "." ZELT_VER_TEXT(ZELT_VER_PATCH) "." ZELT_VER_TEXT(ZELT_VER_BUILD)
#define ZELT_VER_FILEFLAGSMASK 0x3F
#define ZELT_VER_FILEFLAGS 0
#define ZELT_VER_FILEOS 0x40004 /* VOS_NT_WINDOWS32 */
#define ZELT_VER_FILETYPE 1     /* VFT_APP */
#define ZELT_VER_FILESUBTYPE 0
#define ZELT_VER_LANGUAGE 0x0405
#define ZELT_VER_CODEPAGE 0x04E2
#define ZELT_VER_TABLE_KEY "040504e2"

#define ZELT_VER_COMPANY "Kelvane Optics s.r.o."
#define ZELT_VER_DESCRIPTION "Konfigurace filtrového kola kamer Zelt"
#define ZELT_VER_FILEVERSION ZELT_VER_DOTTED
#define ZELT_VER_INTERNALNAME "zeltfw"
#define ZELT_VER_COPYRIGHT "Copyright © 2026 Kelvane Optics s.r.o."
#define ZELT_VER_ORIGINALNAME "zeltfw.exe"
#define ZELT_VER_PRODUCT "Kelvane Camera Tools"
#define ZELT_VER_PRODUCTVERSION ZELT_VER_DOTTED
#define ZELT_VER_CODESTYLE "Ansi"

#endif
