// Disk faults on demand, for tests that run a program as a child process:
// loaded with LD_PRELOAD, it makes calls on one file fail the way a failing
// disk makes them fail. A file is chosen by a text its path contains (a
// folder's name chooses every file in it, hidden temporary files included).
//
//   FAULT_READ=<text>[:<byte>]  reads of the file fail with EIO from that
//                               byte on (from the start without one); a
//                               read that crosses it comes back short
//   FAULT_TRUNCATE=<text>       ftruncate of the file fails with EIO
//
// Programs built with AddressSanitizer need verify_asan_link_order=0 in
// ASAN_OPTIONS to start with it.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

typedef ssize_t (*ReadFn)(int, void*, size_t);
typedef ssize_t (*PreadFn)(int, void*, size_t, off_t);
typedef int (*TruncateFn)(int, off_t);

static int PathOfDescriptorContains(int fd, const char* text, size_t textLength)
{
    char link[64];
    char path[4096];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, path, sizeof path - 1);
    if (length < 0) return 0;
    return memmem(path, (size_t)length, text, textLength) != NULL;
}

// The byte from which reads of fd fail, or -1 when fd is not the chosen file.
static long long FailingReadByte(int fd)
{
    const char* setting = getenv("FAULT_READ");
    if (setting == NULL || *setting == '\0') return -1;
    const char* colon = strrchr(setting, ':');
    const size_t textLength = colon != NULL ? (size_t)(colon - setting) : strlen(setting);
    if (!PathOfDescriptorContains(fd, setting, textLength)) return -1;
    return colon != NULL ? atoll(colon + 1) : 0;
}

// How many of count bytes at offset may be read: -1 with errno EIO when none.
static ssize_t ReadableCount(int fd, off_t offset, size_t count)
{
    const long long failing = FailingReadByte(fd);
    if (failing < 0 || offset + (long long)count <= failing) return (ssize_t)count;
    if (offset >= failing) {
        errno = EIO;
        return -1;
    }
    return (ssize_t)(failing - offset);
}

ssize_t read(int fd, void* buffer, size_t count)
{
    static ReadFn realRead;
    if (realRead == NULL) realRead = (ReadFn)dlsym(RTLD_NEXT, "read");
    const off_t position = lseek(fd, 0, SEEK_CUR);
    if (position >= 0) {
        const ssize_t allowed = ReadableCount(fd, position, count);
        if (allowed < 0) return -1;
        count = (size_t)allowed;
    }
    return realRead(fd, buffer, count);
}

static ssize_t FaultyPread(const char* name, int fd, void* buffer, size_t count, off_t offset)
{
    const PreadFn realPread = (PreadFn)dlsym(RTLD_NEXT, name);
    const ssize_t allowed = ReadableCount(fd, offset, count);
    if (allowed < 0) return -1;
    return realPread(fd, buffer, (size_t)allowed, offset);
}

ssize_t pread(int fd, void* buffer, size_t count, off_t offset)
{
    return FaultyPread("pread", fd, buffer, count, offset);
}

ssize_t pread64(int fd, void* buffer, size_t count, off_t offset)
{
    return FaultyPread("pread64", fd, buffer, count, offset);
}

static int FaultyTruncate(const char* name, int fd, off_t length)
{
    const char* text = getenv("FAULT_TRUNCATE");
    if (text != NULL && *text != '\0' && PathOfDescriptorContains(fd, text, strlen(text))) {
        errno = EIO;
        return -1;
    }
    return ((TruncateFn)dlsym(RTLD_NEXT, name))(fd, length);
}

int ftruncate(int fd, off_t length)
{
    return FaultyTruncate("ftruncate", fd, length);
}

int ftruncate64(int fd, off_t length)
{
    return FaultyTruncate("ftruncate64", fd, length);
}
