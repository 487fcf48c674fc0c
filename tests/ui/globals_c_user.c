/* A C user of the exported globals: the header must compile as C and the
 * symbols must link without C++ name mangling. */
#include <vantoui/globals.h>

uint8_t vantouiTestNextTelegramId(void)
{
    return ++telegram_id_counter;
}

const char* vantouiTestFbDevice(void)
{
    return fb_device;
}
