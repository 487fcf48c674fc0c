/* Preloaded into the framebuffer test's child process: answers the two
 * screen-information ioctls for files whose name contains "fakefb", the way
 * a framebuffer driver would. FBIOGET_VSCREENINFO returns the record stored
 * in the file; FBIOPUT_VSCREENINFO stores the record it gets in the file
 * named by FAKEFB_PUT_FILE, or fails with FAKEFB_PUT_ERRNO when that is set.
 * Every other ioctl goes to the C library. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <linux/fb.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <unistd.h>

static int is_fake_framebuffer(int fd)
{
    char link[64];
    char target[4096];
    snprintf(link, sizeof(link), "/proc/self/fd/%d", fd);
    ssize_t length = readlink(link, target, sizeof(target) - 1);
    if (length < 0)
        return 0;
    target[length] = '\0';
    return strstr(target, "fakefb") != NULL;
}

int ioctl(int fd, unsigned long request, ...)
{
    va_list args;
    va_start(args, request);
    void* argument = va_arg(args, void*);
    va_end(args);

    if ((request == FBIOGET_VSCREENINFO || request == FBIOPUT_VSCREENINFO) &&
        is_fake_framebuffer(fd)) {
        const size_t size = sizeof(struct fb_var_screeninfo);
        if (request == FBIOGET_VSCREENINFO) {
            if (pread(fd, argument, size, 0) != (ssize_t)size) {
                errno = EIO;
                return -1;
            }
            return 0;
        }
        const char* failure = getenv("FAKEFB_PUT_ERRNO");
        if (failure && *failure) {
            errno = atoi(failure);
            return -1;
        }
        const char* out = getenv("FAKEFB_PUT_FILE");
        FILE* file = out ? fopen(out, "wb") : NULL;
        if (!file || fwrite(argument, size, 1, file) != 1) {
            if (file)
                fclose(file);
            errno = EIO;
            return -1;
        }
        fclose(file);
        return 0;
    }

    int (*real_ioctl)(int, unsigned long, ...) =
        (int (*)(int, unsigned long, ...))dlsym(RTLD_NEXT, "ioctl");
    return real_ioctl(fd, request, argument);
}
