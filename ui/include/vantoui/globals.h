#pragma once

#include <vantoui/vantoui_global.h>

#include <stdint.h>

// Process-wide variables shared between the library and the GUI program.
// C linkage keeps the symbol names plain so any user can reach them.
#ifdef __cplusplus
extern "C" {
#endif

// Framebuffer device opened by FramebufferController::setFrameBufferDepth.
// Assignable; the path is resolved below VANTO_ROOT when that is set.
VANTOUI_EXPORT extern const char* fb_device;

// Rolling telegram number. The library never touches it; the telegram
// manager increments it under its own lock before each outgoing telegram,
// so it wraps from 255 to 0 by its unsigned 8-bit type.
VANTOUI_EXPORT extern uint8_t telegram_id_counter;
#ifdef __cplusplus
}
#endif
