#pragma once

#include <QPixmap>
#include <QSize>

// The product's picture on the splash and about windows: a slip of the game
// with a few numbers marked, the program's name and the game's.
namespace ProductPicture
{
    QPixmap render(QSize size);
}
