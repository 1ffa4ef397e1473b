#include "FrameGeometry.h"

int ClampImageNumber(int image, int totalFrames)
{
    if (image <= 0 || totalFrames < 2)
        return 1;
    return image > totalFrames ? totalFrames : image;
}
