#include "app/WindowPlacement.h"

#include <algorithm>

namespace rivetbay {

ScreenRect keepOnScreen(const ScreenRect& work, const ScreenRect& wanted)
{
    const int width = std::min(wanted.width, work.width), height = std::min(wanted.height, work.height);
    return {std::clamp(wanted.x, work.x, work.x + work.width - width),
            std::clamp(wanted.y, work.y, work.y + work.height - height), width, height};
}

} // namespace rivetbay
