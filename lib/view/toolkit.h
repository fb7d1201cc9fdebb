// The whole view toolkit.
#pragma once
#include "lib/support/rect.h"
#include "lib/view/controls.h"
#include "lib/view/event.h"
#include "lib/view/graphics.h"
#include "lib/view/loop.h"
#include "lib/view/message_box.h"
#include "lib/view/modules.h"
#include "lib/view/view.h"
#include "lib/view/window.h"
