#include "editor/app_icon.h"

#include <QImage>
#include <QPixmap>

#include "desktop_icons.h"

namespace editor {

QIcon ApplicationIcon() {
    QIcon icon;
    for (int i = 0; i < desktop_icons::kSettingsWindowIconCount; ++i) {
        const desktop_icons::IconPixels& pixels = desktop_icons::kSettingsWindowIcons[i];
        // QImage's ARGB32 is the same 0xAARRGGBB word per pixel; the pixmap takes a copy.
        const QImage image(reinterpret_cast<const uchar*>(pixels.argb), pixels.size, pixels.size,
                           pixels.size * 4, QImage::Format_ARGB32);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace editor
