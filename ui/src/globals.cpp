#include <vantoui/globals.h>

const char* fb_device = "/dev/fb0";
uint8_t telegram_id_counter = 0;
