/* The PNG writer of the screenshots. Debian's libstb carries it for the desktop build; the
 * browser's build compiles it here. */
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
