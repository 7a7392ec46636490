// Where the 640 x 480 picture goes in a window or screen of any size, and sharp scaling on the
// CPU for hosts whose only renderer draws in software anyway. Internal to platform/.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/present.h"
#include "platform/window.h"

namespace platform {

// The picture's rectangle in an output of outWidth x outHeight pixels: as large as fits with its
// shape kept (sharp), or the largest whole multiple that fits (whole multiples; where not even
// one does, as large as fits), centred, the rest black bars.
Rect FitPicture(int outWidth, int outHeight, int pictureWidth, int pictureHeight,
                PictureScaling scaling);

// Sharp scaling's first step: the smallest whole multiple of the picture that covers the
// destination, enlarged nearest-neighbour; the second step samples it linearly down to the
// destination's size. 1 for a destination no larger than the picture.
int CoveringMultiple(int destWidth, int destHeight, int pictureWidth, int pictureHeight);

// Both steps of sharp scaling in one pass over X8R8G8B8 pixels, giving what the GPU gives for
// them: each destination pixel is the linear blend of at most two neighbours of the enlarged
// picture along each axis, which lie in one source pixel except at the seams between two. The
// blend weights of each column and row are worked out once per size, and each source row is
// spread across once per frame.
class SharpScaler {
  public:
    void Scale(const uint32_t* src, int srcWidth, int srcHeight, int srcPitchPixels, uint32_t* dst,
               int dstWidth, int dstHeight, int dstPitchPixels);

  private:
    // Source index, and the weight in 256ths of the next source pixel blended in (0: none).
    struct Tap {
        int index = 0;
        uint32_t weight = 0;
    };
    static std::vector<Tap> Taps(int srcSize, int dstSize, int multiple);
    void Prepare(int srcWidth, int srcHeight, int dstWidth, int dstHeight);

    int srcWidth_ = 0, srcHeight_ = 0, dstWidth_ = 0, dstHeight_ = 0;
    std::vector<Tap> columns_, rows_;
    std::vector<uint32_t> spreadRows_; // each source row at the destination's width
};

} // namespace platform
