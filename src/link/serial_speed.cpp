// Speeds outside the termios table (14400, 128000, 256000, 512000) through termios2 and BOTHER.
#include <asm/ioctls.h>
#include <asm/termbits.h>

#include <cstdint>

// <sys/ioctl.h> would bring the glibc termios types back in; the prototype is all we need.
extern "C" int ioctl(int fd, unsigned long request, ...);

namespace kelm {

bool SetCustomSpeed(int fd, uint32_t speed) {
  struct termios2 t;
  if (ioctl(fd, TCGETS2, &t) != 0) return false;
  t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
  t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  t.c_ispeed = speed;
  t.c_ospeed = speed;
  return ioctl(fd, TCSETS2, &t) == 0;
}

uint32_t ReadCustomSpeed(int fd) {
  struct termios2 t;
  if (ioctl(fd, TCGETS2, &t) != 0) return 0;
  return t.c_ospeed;
}

}  // namespace kelm
