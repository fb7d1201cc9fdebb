// The program's entry point: Windows calls it; the Linux front ends call it too.
#pragma once
#include "platform/types.h"

int WINAPI WinMain(win::HINSTANCE instance, win::HINSTANCE previous, char* commandLine, int showCommand);
