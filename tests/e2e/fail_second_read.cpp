// Preloaded into the converter (LD_PRELOAD) to stand for a disk that breaks
// after the first block: the second read from a file fails with EIO.
#include <cerrno>
#include <dlfcn.h>
#include <unistd.h>

extern "C" ssize_t read(int fd, void* buffer, size_t size)
{
    using Read = ssize_t (*)(int, void*, size_t);
    static const auto real = reinterpret_cast<Read>(dlsym(RTLD_NEXT, "read"));
    static int fileReads = 0;
    if (fd > STDERR_FILENO && ++fileReads == 2) {
        errno = EIO;
        return -1;
    }
    return real(fd, buffer, size);
}
