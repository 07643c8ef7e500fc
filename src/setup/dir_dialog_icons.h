#pragma once

#include "setup/dir_icons.h"

#include <QIcon>

#include <map>

// The pictures of the listing's icon numbers: from the desktop's icon theme,
// or the style's standard picture of that kind when the theme has none. Each
// is looked up once.
class DirIconPictures {
public:
    const QIcon& Picture(DirIcon icon);

private:
    std::map<DirIcon, QIcon> loaded_;
};
