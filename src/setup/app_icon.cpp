#include "setup/app_icon.h"

#include "datastore/binary_data.h"
#include "datastore/window_records.h"

#include "support/qt_image.h"

#include <QPixmap>

namespace {

std::string ComponentBytes(const char* name)
{
    const auto component = LoadEmbeddedComponent("Tinfoform", name);
    return component ? component->UnpackedStream().Bytes() : std::string();
}

} // namespace

QIcon AppIcon()
{
    QIcon icon;
    for (const char* name : {"icon16", "icon32", "icon48", "icon128"}) {
        const QImage picture = DecodeBuiltInImage(ComponentBytes(name), "png");
        if (!picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture));
    }
    return icon;
}

std::string AppIconPng()
{
    return ComponentBytes("icon128");
}

std::string AppIconSvg()
{
    return ComponentBytes("iconsvg");
}
